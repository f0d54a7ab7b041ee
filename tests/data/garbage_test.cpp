#include "data/DataFiles.h"
#include "data/StartScreenLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace tv::data {
namespace {

using test::Cp;

// Data files damaged in any way must never crash a reader: every reader is
// run over random bytes salted with the characters the grammar reacts to.
TEST(GarbageTest, ReadersSurviveRandomBytes) {
    std::mt19937 random(20261207);
    const std::string salt[] = {"\r\n", "\n", "\r", Cp("¤"), Cp("¤¤"),   "EOL",
                                "0 ",   "*",  " ",  "32767", "-99999e9", "$ConnSelectedText",
                                "$",    "\t"};
    for (int round = 0; round < 40; ++round) {
        test::TempDir dir;
        for (const char* name : {"Tessaro.dat", "Lang_NO.txt", "Lang_EN.txt", "Intro_EN.txt"}) {
            std::string bytes;
            const int pieces = static_cast<int>(random() % 400);
            for (int i = 0; i < pieces; ++i) {
                if (random() % 3 == 0)
                    bytes += salt[random() % std::size(salt)];
                else
                    bytes += static_cast<char>(random() % 256);
            }
            if (round % 5 == 0) // sections the readers look for
                bytes = Cp("¤STARTSCREEN\r\n¤Startinfo_hlp\r\n¤LIST\r\n") + bytes;
            test::WriteBytes(dir / name, bytes);
        }
        platform::RecordingMessageBoxes messages;
        for (const char* language : {"NO", "EN"}) {
            DataFiles files(dir.path(), language, messages);
            // A list is missing (-1) or read whole up to its limit, and the
            // same each time it is read.
            ListLines lines;
            const int count = files.ReadParamSection(Cp("¤LIST"), lines);
            EXPECT_TRUE(count >= -1 && count <= kMaxListLines) << count;
            ListLines again;
            EXPECT_EQ(files.ReadParamSection(Cp("¤LIST"), again), count);
            EXPECT_EQ(again, lines);
            EXPECT_LE(files.ReadLangSection(Cp("¤LIST"), lines), kMaxListLines);
            files.ReadParamIdentification();
            files.LookupCodeLetter(Cp("¤LIST"));
            files.TranslateText(Cp("¤¤Avbryt"));
            files.ReadLangText(Cp("¤Startinfo"));
            files.ReadHelpPanel("Startinfo", "x");
            if (auto file = files.openLanguageFile())
                files.ReadLanguageHead(*file);
            ReadStartScreenLayout(files);
            InfoText(files, "Intro");
        }
    }
}

} // namespace
} // namespace tv::data
