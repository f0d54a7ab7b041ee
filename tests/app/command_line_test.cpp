#include "app/CommandLine.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "result/ResultComputation.h"
#include "wizard/ValvePageLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

namespace tv::app {
namespace {

using test::Cp;

// The check command on a copy of the sample installation, so that the
// start-up probes never write into the source tree.
class CheckCommandTest : public ::testing::Test {
protected:
    CheckCommandTest() {
        std::filesystem::copy(TV_SAMPLE_DIR, install_.path(),
                              std::filesystem::copy_options::recursive);
        system_.cwd = install_.path();
    }

    int run(std::vector<std::string> args) { return RunCheckCommand(args, platform_, out_, err_); }

    test::TempDir install_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::Platform platform_{settings_, messages_, system_};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CheckCommandTest, ValidCodePrintsZero) {
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(settings_.get(kApp, kSection, "BrivoDone"), "0") << "start-up ran";
}

TEST_F(CheckCommandTest, LowerCaseCodeIsCheckedInUpperCase) {
    EXPECT_EQ(run({"check", "kbbdfdfdfdfd-v18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
}

TEST_F(CheckCommandTest, InvalidCodePrintsItsPositionAndTheMessageOfTheWindow) {
    EXPECT_EQ(run({"check", "tbgcfcqpfcxx-v18"}), 1);
    EXPECT_EQ(out_.str(), "7\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0],
              Cp("Feil i kodens posisjon 7\r\nDenne posisjonen kan ikke være 'Q'"));
}

TEST_F(CheckCommandTest, MessageQuotesTheCodeAsTyped) {
    // A single valve: the check puts X at position 3 of its stored code.
    EXPECT_EQ(run({"check", "EBUCFCXXFCXX-V18"}), 1);
    EXPECT_EQ(out_.str(), "3\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("'U'"), std::string::npos) << messages_.shown[0];
}

TEST_F(CheckCommandTest, WrongUsageTouchesNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"check"},
        {"check", "TBGCFCSPFCXX-V18", "extra"},
        {"check", "TBGCFCSPFCXX"},
        {"check", ""},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size() > 1 ? args[1] : "(no code)");
        out_.str("");
        err_.str("");
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoDir"), 0) << "start-up never ran";
}

TEST_F(CheckCommandTest, TwelvePositionsWithoutSuffixAreTooShort) {
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX"}), 2);
    EXPECT_NE(err_.str().find("at least 13 characters"), std::string::npos) << err_.str();
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-"}), 0) << "one character of suffix is enough";
}

TEST_F(CheckCommandTest, InstallationWithoutDataDirectoryEndsAtStartUp) {
    test::TempDir empty;
    system_.cwd = empty.path();
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-V18"}), 2);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Subdirectory 'Tessaro' not found in\r\n" +
                                               data::PathText(empty.path())))
        << messages_.shown[0];
}

TEST_F(CheckCommandTest, TarnelPathNamesTheInstallation) {
    test::TempDir elsewhere;
    system_.cwd = elsewhere.path();
    settings_.save("Tarnel", kSection, "TarnelPath", data::PathText(install_.path()));
    EXPECT_EQ(run({"check", "DPBDMCXXBDXX-V18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
}

TEST_F(CheckCommandTest, DataProblemsOfTheCheckAreShown) {
    // The valve range of the sample without the socket list of DN 150.
    const auto parameterFile = install_ / "Tessaro" / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const std::string key = "\xA4"
                            "DN150_MUFFE";
    const auto at = bytes.find(key + "\r\n");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, key.size(),
                  "\xA4"
                  "GONE");
    test::WriteBytes(parameterFile, bytes);

    EXPECT_EQ(run({"check", "KAGCFBGCSPMC-V18"}), 1);
    EXPECT_EQ(out_.str(), "12\n");
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0], Cp("¤DN150_MUFFE key not found"));
    EXPECT_EQ(messages_.shown[1],
              Cp("Feil i kodens posisjon 12\r\nDenne posisjonen kan ikke være 'C'"));
}

} // namespace
} // namespace tv::app

namespace tv::app {
namespace {

using test::Cp;

// A small reader of the JSON the result command prints: objects keep the
// order of their members, numbers keep their text.
struct Json {
    enum Kind { kNull, kBool, kNumber, kString, kObject, kArray } kind = kNull;
    bool boolean = false;
    std::string text; // a string's value, or a number as written
    std::vector<std::pair<std::string, Json>> members;
    std::vector<Json> elements;

    const Json& operator[](std::string_view key) const {
        for (const auto& [name, value] : members) {
            if (name == key)
                return value;
        }
        ADD_FAILURE() << "no member " << key;
        static const Json none;
        return none;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> names;
        for (const auto& member : members)
            names.push_back(member.first);
        return names;
    }
    double number() const { return std::stod(text); }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // The whole text as one value; nothing when it is not exactly that.
    std::optional<Json> document() {
        Json result;
        if (!value(result))
            return std::nullopt;
        blanks();
        if (at_ != text_.size())
            return std::nullopt;
        return result;
    }

private:
    void blanks() {
        while (at_ < text_.size() && std::string_view(" \t\r\n").find(text_[at_]) != npos)
            ++at_;
    }
    bool take(char c) {
        blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (text_.substr(at_, w.size()) != w)
            return false;
        at_ += w.size();
        return true;
    }
    bool value(Json& out) {
        blanks();
        if (at_ >= text_.size())
            return false;
        const char c = text_[at_];
        if (c == '{')
            return object(out);
        if (c == '[')
            return array(out);
        if (c == '"') {
            out.kind = Json::kString;
            return string(out.text);
        }
        if (word("true") || word("false")) {
            out.kind = Json::kBool;
            out.boolean = c == 't';
            return true;
        }
        if (word("null"))
            return true;
        return number(out);
    }
    bool object(Json& out) {
        out.kind = Json::kObject;
        ++at_;
        if (take('}'))
            return true;
        do {
            std::string name;
            blanks();
            if (!string(name) || !take(':'))
                return false;
            Json member;
            if (!value(member))
                return false;
            out.members.emplace_back(std::move(name), std::move(member));
        } while (take(','));
        return take('}');
    }
    bool array(Json& out) {
        out.kind = Json::kArray;
        ++at_;
        if (take(']'))
            return true;
        do {
            Json element;
            if (!value(element))
                return false;
            out.elements.push_back(std::move(element));
        } while (take(','));
        return take(']');
    }
    bool number(Json& out) {
        const std::size_t start = at_;
        auto digits = [&] {
            const std::size_t from = at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
                ++at_;
            return at_ > from;
        };
        word("-");
        if (!digits())
            return false;
        if (word(".") && !digits())
            return false;
        if (word("e") || word("E")) {
            if (!word("+"))
                word("-");
            if (!digits())
                return false;
        }
        out.kind = Json::kNumber;
        out.text = std::string(text_.substr(start, at_ - start));
        return true;
    }
    bool string(std::string& out) {
        if (at_ >= text_.size() || text_[at_] != '"')
            return false;
        ++at_;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false; // control characters must be escaped
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                return false;
            const char e = text_[at_++];
            const std::string_view simple = "\"\\/bfnrt";
            const std::string_view meaning = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != npos) {
                out += meaning[k];
                continue;
            }
            if (e != 'u' || at_ + 4 > text_.size())
                return false;
            const unsigned code = std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16);
            at_ += 4;
            if (code >= 0x80)
                return false; // the command escapes only control characters
            out += static_cast<char>(code);
        }
        return false;
    }

    static constexpr auto npos = std::string_view::npos;
    std::string_view text_;
    std::size_t at_ = 0;
};

class ResultCommandTest : public ::testing::Test {
protected:
    ResultCommandTest() {
        std::filesystem::copy(TV_SAMPLE_DIR, install_.path(),
                              std::filesystem::copy_options::recursive);
        system_.cwd = install_.path();
    }

    int run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunResultCommand(args, platform_, out_, err_);
    }

    Json printed() {
        const std::string text = out_.str();
        EXPECT_TRUE(text.ends_with("}\n")) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << "one line";
        auto json = JsonReader(text).document();
        EXPECT_TRUE(json) << text;
        return json.value_or(Json{});
    }

    // The result screen's computation of the same code on the same copy.
    std::string screenText(const char* code, bool debug = false) {
        platform::MemorySettingsStore settings;
        platform::Platform platform{settings, messages_, system_};
        data::DataFiles files(install_ / "Tessaro", "NO", messages_);
        wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
        configuration.Clear();
        configuration.code = code;
        EXPECT_EQ(configuration.CheckCode(), 0);
        StartupValues values;
        values.debugMode = debug;
        const result::ResultInputs inputs{configuration, values,
                                          wizard::ReadValvePageCaptions(files).accessoryFrame};
        return result::ComputeResult(files, platform, inputs).resultText;
    }

    test::TempDir install_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::Platform platform_{settings_, messages_, system_};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ResultCommandTest, ValidCodePrintsOneJsonObject) {
    ASSERT_EQ(run({"result", "tbgcfcspfcxx-v18"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");
    const Json json = printed();
    EXPECT_EQ(json.keys(), (std::vector<std::string>{
                               "code", "valve_type", "result_text", "vertical_length",
                               "horizontal_length", "total_weight", "vertical_complete",
                               "horizontal_complete", "parts", "connections", "handover"}));
    EXPECT_EQ(json["code"].text, "TBGCFCSPFCXX-V18");
    EXPECT_EQ(json["valve_type"].text, "2");
    EXPECT_EQ(json["result_text"].text, platform::Cp1252ToUtf8(screenText("TBGCFCSPFCXX-V18")));
    EXPECT_NE(json["result_text"].text.find(
                  "\r\n\r\nTilkobling klokka 3: \r\nSpissende PE Ø160 for ventil DN 150"),
              std::string::npos);
    // 2 × 160 + 210 + 210 + 200 + 200; 160 + 210 + 262.5; 31.0 + 3 × 38.0.
    EXPECT_EQ(json["vertical_length"].text, "1140");
    EXPECT_EQ(json["horizontal_length"].text, "632.5");
    EXPECT_EQ(json["total_weight"].text, "145");
    EXPECT_TRUE(json["vertical_complete"].boolean);
    EXPECT_EQ(json["horizontal_complete"].kind, Json::kBool);

    const Json& parts = json["parts"];
    EXPECT_EQ(parts.keys(), (std::vector<std::string>{"centre", "north", "south", "east", "west"}));
    EXPECT_EQ(parts["centre"].keys(),
              (std::vector<std::string>{"key", "article_number", "description", "block_name",
                                        "length", "weight"}));
    EXPECT_EQ(parts["centre"]["key"].text, "¤0150_TKRYSS_CPD");
    EXPECT_EQ(parts["centre"]["length"].text, "160");
    EXPECT_EQ(parts["east"]["description"].text,
              "Ventilhus DN 150, A2-spindel, høyrelukkende, EPDM-kile");
    EXPECT_EQ(parts["east"]["block_name"].text, "KEL_VH150_B_UFOT");
    EXPECT_EQ(parts["west"]["article_number"].text, "");
    EXPECT_EQ(parts["west"]["weight"].text, "0");

    const Json& connections = json["connections"];
    EXPECT_EQ(connections.keys(), (std::vector<std::string>{"north", "east", "south", "west"}));
    EXPECT_EQ(connections["east"].text, "¤0150_SPISS_PE160_TK");
    EXPECT_EQ(connections["west"].text, "");

    const Json& handover = json["handover"];
    ASSERT_EQ(handover.members.size(), 14u);
    EXPECT_EQ(handover.members.front().first, "CenterPartLength");
    EXPECT_EQ(handover.members.back().first, "ConnectionSouthName");
    EXPECT_EQ(handover["ConnectionEastLength"].text, "262.5 mm");
    for (const auto& [key, value] : handover.members)
        EXPECT_EQ(platform::Cp1252ToUtf8(settings_.get(kApp, kSection, key)), value.text) << key;
}

TEST_F(ResultCommandTest, LineEndsAreEscapedAndNoRawControlCharacterIsPrinted) {
    ASSERT_EQ(run({"result", "EBXCFCXXFCXX-V18"}), 0);
    const std::string text = out_.str();
    EXPECT_NE(text.find("EPDM-kile\\r\\n\\r\\n\\r\\nTilkobling klokka 12: \\r\\nFlens"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const Json json = printed();
    EXPECT_EQ(json["valve_type"].text, "1");
    EXPECT_EQ(json["horizontal_length"].text, "0");
    EXPECT_EQ(json["connections"]["east"].text, "") << "a single valve has no east connection";
}

TEST_F(ResultCommandTest, QuotesBackslashesAndControlCharactersInTheData) {
    const auto articleFile = install_ / "Tessaro" / "Vantordata.dat";
    std::string bytes = test::ReadBytes(articleFile);
    const std::string description = "Senterdel T-kryss DN 150 PN16";
    const auto at = bytes.find(description);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, description.size(), "Senterdel \"T\" \\ DN\t150\x01 \xD8");
    test::WriteBytes(articleFile, bytes);

    ASSERT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_NE(out_.str().find(R"("Senterdel \"T\" \\ DN\t150\u0001 Ø)"), std::string::npos)
        << out_.str();
    const Json json = printed();
    EXPECT_EQ(json["parts"]["centre"]["description"].text, "Senterdel \"T\" \\ DN\t150\x01 Ø");
}

TEST_F(ResultCommandTest, DebugAndLanguageHoldForThisRunOnly) {
    ASSERT_EQ(run({"result", "--lang", "en", "TBGCFCSPFCXX-V18", "--debug"}), 0) << err_.str();
    const Json json = printed();
    const std::string& text = json["result_text"].text;
    EXPECT_TRUE(text.starts_with("Centre part T-cross DN 150 PN16  (L=160 mm  V=31.0 kg")) << text;
    EXPECT_NE(text.find("Connection at 12 o'clock: \r\nFlange DN 150 for valve DN 150"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nTotal vertikal byggelengde 1140,000"), std::string::npos) << text;
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "Language"), 0);
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoMode"), 0);

    ASSERT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_EQ(printed()["result_text"].text, platform::Cp1252ToUtf8(screenText("TBGCFCSPFCXX-V18")))
        << "the next run is Norwegian and without debug information";
}

TEST_F(ResultCommandTest, StoredDebugModeShowsAsInTheWindow) {
    settings_.save(kApp, kSection, "BrivoMode", "2");
    ASSERT_EQ(run({"result", "KBBDFDFDFDFD-V18"}), 0);
    EXPECT_EQ(printed()["result_text"].text,
              platform::Cp1252ToUtf8(screenText("KBBDFDFDFDFD-V18", true)));
}

TEST_F(ResultCommandTest, InvalidCodeGivesThePositionMessage) {
    EXPECT_EQ(run({"result", "TBGCFCQPFCXX-V18"}), 1);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0],
              Cp("Feil i kodens posisjon 7\r\nDenne posisjonen kan ikke være 'Q'"));
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "CenterPartLength"), 0) << "nothing handed over";
}

TEST_F(ResultCommandTest, WrongUsageTouchesNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"result"},
        {"result", "--debug"},
        {"result", "TBGCFCSPFCXX-V18", "extra"},
        {"result", "TBGCFCSPFCXX-V18", "--lang"},
        {"result", "TBGCFCSPFCXX-V18", "--lang", "XX"},
        {"result", "TBGCFCSPFCXX-V18", "--verbose"},
        {"result", "TBGCFCSPFCXX"},
        {"check", "TBGCFCSPFCXX-V18"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoDir"), 0) << "start-up never ran";
}

TEST_F(ResultCommandTest, InstallationWithoutDataDirectoryEndsAtStartUp) {
    test::TempDir empty;
    system_.cwd = empty.path();
    EXPECT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 2);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Subdirectory 'Tessaro' not found"));
}

} // namespace
} // namespace tv::app
