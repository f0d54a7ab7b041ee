#include "app/DataCheckCommand.h"
#include "SampleCommandTest.h"
#include "data/DataFiles.h"

#include <gtest/gtest.h>

namespace tv::app {
namespace {

using test::Cp;

class DataCheckCommandTest : public SampleCommandTest {
protected:
    int run(std::vector<std::string> args) {
        return RunDataCheckCommand(args, platform_, out_, err_);
    }
    std::filesystem::path file() const { return install_ / "Tessaro" / "DataCheck.txt"; }
};

// The sample's faults: a missing connection record at DN 80, a missing
// connection-dimension list, and a withdrawn accessory.
TEST_F(DataCheckCommandTest, TheSamplesFindingsInTheFileAndAsJson) {
    EXPECT_EQ(run({"datacheck"}), 1);
    const std::string out = out_.str();
    EXPECT_TRUE(out.starts_with("11748736 codes, ")) << out;
    EXPECT_TRUE(out.ends_with(" lookups, 6 findings\n" + data::PathText(file()) + "\n")) << out;
    const std::string text = test::ReadBytes(file());
    EXPECT_NE(text.find(Cp("\r\n¤0080_FLENS_DN050_TK: looked up for the connection; 17600 codes, "
                           "e.g. EAXAFHXXFHXX-V18\r\n")),
              std::string::npos);
    EXPECT_TRUE(messages_.shown.empty());

    std::filesystem::remove(file());
    out_.str("");
    EXPECT_EQ(run({"datacheck", "--json", "--lang", "en"}), 1);
    const std::string json = out_.str();
    EXPECT_TRUE(json.starts_with("{\"codes\":11748736,\"lookups\":")) << json;
    EXPECT_NE(json.find("{\"kind\":\"missing-article\",\"subject\":\"¤0080_FLENS_DN050_TK\","
                        "\"detail\":\"looked up for the connection\",\"codes\":17600,"
                        "\"example\":\"EAXAFHXXFHXX-V18\"}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"subject\":\"¤DN080_FLENSSERVICE\",\"detail\":\"the section is not in "
                        "the file\",\"codes\":0,\"example\":null}"),
              std::string::npos);
    EXPECT_TRUE(json.ends_with("]}\n"));
    EXPECT_FALSE(std::filesystem::exists(file())) << "--json writes nothing";
}

TEST_F(DataCheckCommandTest, WrongUsageChecksNothing) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"datacheck", "--json", "--codes"},
                                               {"datacheck", "--lang", "XX"},
                                               {"datacheck", "--lang"},
                                               {"datacheck", "now"}}) {
        err_.str("");
        EXPECT_EQ(run(args), 2) << args.back();
        EXPECT_NE(err_.str().find(kDataCheckUsage), std::string::npos) << err_.str();
    }
    EXPECT_EQ(out_.str(), "");
    EXPECT_FALSE(std::filesystem::exists(file()));
}

} // namespace
} // namespace tv::app
