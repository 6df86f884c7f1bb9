// The script compiler from source to handler calls: definition texts (the TechniqueShader
// text the framework registers, and one of our own), the keyword numbers and slot addresses
// handlers receive, and errors that name the line and what was expected.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/mentaro_recorder.h"

using namespace OvTest;

namespace
{

const std::string kToyText = "!EXTERNAL: Toy\r\n"
                             "!KEYWORDS: UP DOWN\r\n"
                             "!DEFINITIONS: 3d\r\n"
                             "MOVE\tKEYWORD VARIABLE\r\n"
                             "STOP\r\n"
                             "SWAP\tVARIABLE\tVARIABLE\r\n"
                             "!END\r\n";

struct Program
{
    OvByteBuffer buffer{};
    ~Program() { OvMentaroFree(&buffer); }
};

class MentaroTest : public ::testing::Test
{
  protected:
    void* list = nullptr;
    Program program;

    void TearDown() override { OvMentaroFreeDefinitionList(list); }

    void UseTechniqueShader()
    {
        list = LinkRecordingList("TechniqueShader", kTechniqueShaderText, kTechniqueShaderCommands);
        ASSERT_NE(list, nullptr) << OvMentaroLastError();
    }

    // Frees the program held before, as the framework does.
    bool Compile(const std::string& source)
    {
        OvMentaroFree(&program.buffer);
        return OvMentaroCompile(&program.buffer, source.data(), uint32_t(source.size()), list);
    }

    std::string CompileError(const std::string& source)
    {
        EXPECT_FALSE(Compile(source)) << source;
        EXPECT_EQ(program.buffer.start, nullptr);
        EXPECT_EQ(program.buffer.count, 0u);
        return OvMentaroLastError();
    }
};

// The example of docs/formats.md, so the documented script is one that compiles.
std::string DocumentedExample()
{
    std::ifstream file(OV_SOURCE_DIR "/docs/formats.md");
    std::stringstream text;
    text << file.rdbuf();
    const std::string all = text.str();
    const size_t begin = all.find("```mentaro\n");
    const size_t end = all.find("```\n", begin + 11);
    if (begin == std::string::npos || end == std::string::npos)
        return "";
    return all.substr(begin + 11, end - begin - 11);
}

} // namespace

TEST_F(MentaroTest, DocumentedTechniqueRunsEveryCommandWithItsOperands)
{
    UseTechniqueShader();
    const std::string source = DocumentedExample();
    ASSERT_FALSE(source.empty()) << "no ```mentaro block in docs/formats.md";
    ASSERT_TRUE(Compile(source)) << OvMentaroLastError();
    EXPECT_STREQ(OvMentaroLastError(), "");

    int hosts[7] = {};
    void* slots[7];
    for (int i = 0; i < 7; ++i)
        slots[i] = &hosts[i];
    ASSERT_EQ(OvMentaroExecute(&program.buffer, slots, 7, list), 10) << OvMentaroLastError();

    const std::vector<RecordedCommand>& run = MentaroRecord();
    std::vector<std::string> names;
    for (const RecordedCommand& command : run)
        names.push_back(command.command);
    EXPECT_EQ(names, (std::vector<std::string>{"CANVAS", "COLOR", "CLEAR", "EXECUTE", "CANVAS",
                                               "PASS", "BLEND", "RECT", "PASS", "BLEND"}));
    const size_t p = sizeof(void*);
    // CANVAS ENABLE canvas FALSE: keyword, slot address, keyword, and nothing more.
    ASSERT_EQ(run[0].operands.size(), 4 + p + 4);
    EXPECT_EQ(run[0].Keyword(0), 6u);
    EXPECT_EQ(run[0].Slot(4), slots[0]);
    EXPECT_EQ(run[0].Keyword(4 + p), 0u);
    EXPECT_EQ(run[3].Slot(0), slots[1]); // EXECUTE drawScene
    // BLEND SRC_ALPHA ONE
    ASSERT_EQ(run[6].operands.size(), 8u);
    EXPECT_EQ(run[6].Keyword(0), 16u);
    EXPECT_EQ(run[6].Keyword(4), 11u);
    // RECT CANVAS canvas corners coords TRUE
    ASSERT_EQ(run[7].operands.size(), 4 + 3 * p + 4);
    EXPECT_EQ(run[7].Keyword(0), 34u);
    EXPECT_EQ(run[7].Slot(4), slots[0]);
    EXPECT_EQ(run[7].Slot(4 + p), slots[4]);
    EXPECT_EQ(run[7].Slot(4 + 2 * p), slots[5]);
    EXPECT_EQ(run[7].Keyword(4 + 3 * p), 1u);
}

TEST_F(MentaroTest, KeywordsAreNumberedInTheOrderListed)
{
    UseTechniqueShader();
    const std::string line = std::string(kTechniqueShaderText.substr(
        kTechniqueShaderText.find("!KEYWORDS: ") + 11,
        kTechniqueShaderText.find('\n', 30) - kTechniqueShaderText.find("!KEYWORDS: ") - 11));
    std::istringstream words(line);
    std::vector<std::string> keywords;
    std::string source;
    for (std::string word; words >> word;)
    {
        keywords.push_back(word);
        source += "CLEAR " + word + "\n";
    }
    ASSERT_EQ(keywords.size(), 35u);
    ASSERT_TRUE(Compile(source)) << OvMentaroLastError();
    ASSERT_EQ(OvMentaroExecute(&program.buffer, nullptr, 0, list), 35);
    for (uint32_t i = 0; i < 35; ++i)
        EXPECT_EQ(MentaroRecord()[i].Keyword(0), i) << keywords[i];
    EXPECT_EQ(keywords[34], "CANVAS");
}

TEST_F(MentaroTest, OwnTextWithCrLfCommentsNamesAndCommandsWithoutOperands)
{
    list = LinkRecordingList("Toy", kToyText, {"MOVE", "STOP", "SWAP"});
    ASSERT_NE(list, nullptr) << OvMentaroLastError();
    ASSERT_TRUE(Compile("\xEF\xBB\xBF# a comment line after a byte-order mark\r\n"
                        "ARG left\r\n"
                        "\r\n"
                        "ARG right   # slot 1\r\n"
                        "\tMOVE DOWN right\r\n"
                        "STOP\r\n"
                        "SWAP $1 left # $1 and right are one slot\r\n"
                        "MOVE UP $0"))
        << OvMentaroLastError();
    int a = 0, b = 0;
    void* slots[2] = {&a, &b};
    ASSERT_EQ(OvMentaroExecute(&program.buffer, slots, 2, list), 4);
    const std::vector<RecordedCommand>& run = MentaroRecord();
    EXPECT_EQ(run[0].Keyword(0), 1u);
    EXPECT_EQ(run[0].Slot(4), &b);
    EXPECT_EQ(run[1].command, "STOP");
    EXPECT_TRUE(run[1].operands.empty());
    EXPECT_EQ(run[2].Slot(0), &b);
    EXPECT_EQ(run[2].Slot(sizeof(void*)), &a);
    EXPECT_EQ(run[3].Keyword(0), 0u);
    EXPECT_EQ(run[3].Slot(4), &a);
}

TEST_F(MentaroTest, CommandsWithoutHandlersAreSkipped)
{
    list = LinkRecordingList("Toy", kToyText, {"MOVE"});
    ASSERT_TRUE(Compile("STOP\nMOVE UP $0\nSTOP\n"));
    void* slot = &list;
    EXPECT_EQ(OvMentaroExecute(&program.buffer, &slot, 1, list), 1);
    ASSERT_EQ(MentaroRecord().size(), 1u);
    OvMentaroClearDefinitionsProc();
    EXPECT_EQ(OvMentaroExecute(&program.buffer, &slot, 1, list), 0);
    EXPECT_STREQ(OvMentaroLastError(), "");
    EXPECT_EQ(MentaroRecord().size(), 1u);
}

TEST_F(MentaroTest, ScriptErrorsNameTheLineAndWhatWasExpected)
{
    UseTechniqueShader();
    const std::pair<std::string, std::string> cases[] = {
        {"CLEAR COLOR\n# fine\n\nBLEND SRC_ALPHA $1\n",
         "line 4: BLEND expects a keyword, found '$1'"},
        {"BLEND SRC_ALPHA\n", "line 1: BLEND expects 2 operands (KEYWORD KEYWORD), found 1"},
        {"CLEAR COLOR\r\nBLUR ONE\r\n", "line 2: expected a command, found 'BLUR'"},
        {"clear COLOR\n", "line 1: expected a command, found 'clear'"},
        {"EXECUTE TRUE\n",
         "line 1: EXECUTE expects a variable ($0 to $255 or an ARG name), found 'TRUE'"},
        {"EXECUTE $256\n",
         "line 1: EXECUTE expects a variable ($0 to $255 or an ARG name), found '$256'"},
        {"EXECUTE later\nARG later\n",
         "line 1: EXECUTE expects a variable ($0 to $255 or an ARG name), found 'later'"},
        {"ARG x\nARG x\n", "line 2: ARG 'x' is declared twice"},
        {"ARG 9lives\n", "line 1: ARG expects one name"},
        {"CLEAR\vCOLOR\n", "line 1: unexpected control character 11"},
        {std::string("CLEAR COLOR\nCLEAR\0COLOR\n", 24), "line 2: unexpected control character 0"},
        {"\n\n" + std::string(1025, ' ') + "\n", "line 3: longer than 1024 bytes"},
    };
    for (const auto& [source, expected] : cases)
        EXPECT_EQ(CompileError(source), expected);
}

TEST_F(MentaroTest, SourcesPastTheirLimitsAreRefused)
{
    UseTechniqueShader();
    std::string many;
    for (uint32_t i = 0; i <= OV_MENTARO_MOST_STATEMENTS; ++i)
        many += "CLEAR COLOR\n";
    EXPECT_EQ(CompileError(many), "line 65537: more than 65536 commands");
    std::string names;
    for (uint32_t i = 0; i <= OV_MENTARO_MOST_VARIABLES; ++i)
        names += "ARG n" + std::to_string(i) + "\n";
    EXPECT_EQ(CompileError(names), "line 257: more than 256 ARG names");
    const std::string huge(OV_MENTARO_LARGEST_SOURCE + 1, '\n');
    EXPECT_EQ(CompileError(huge), "the source is larger than 1048576 bytes");
}

TEST_F(MentaroTest, WithoutAListOnlyEmptySourcesCompile)
{
    ASSERT_TRUE(Compile("# nothing to do\n\n"));
    EXPECT_EQ(OvMentaroExecute(&program.buffer, nullptr, 0, nullptr), 0);
    EXPECT_STREQ(OvMentaroLastError(), "");
    EXPECT_EQ(CompileError("CLEAR COLOR\n"),
              "line 1: expected a command (no definition list is given), found 'CLEAR'");
}

TEST(MentaroDefinitionText, BrokenTextsAreRefusedWithTheirLine)
{
    const std::string head = "!EXTERNAL: Toy\n!KEYWORDS: UP DOWN\n";
    std::string seventeenKinds;
    for (int i = 0; i < 17; ++i)
        seventeenKinds += " KEYWORD";
    const std::pair<std::string, std::string> cases[] = {
        {head + "!DEFINITIONS: 2d\nMOVE\tKEYWORD\n!END\n",
         "definition line 5: !DEFINITIONS: announced 2 commands, the text has 1"},
        {head + "!DEFINITIONS: 1d\nMOVE\tKEYWORD\nSTOP\n!END\n",
         "definition line 5: expected !END after the 1 commands announced, found 'STOP'"},
        {head + "!DEFINITIONS: 1d\nMOVE\tNUMBER\n!END\n",
         "definition line 4: expected KEYWORD or VARIABLE, found 'NUMBER'"},
        {head + "!DEFINITIONS: 1\nMOVE\n!END\n",
         "definition line 3: !DEFINITIONS: takes the count of commands followed by d"},
        {head + "!DEFINITIONS: 1d\nMOVE\n",
         "definition line 4: the text ends where !END was expected"},
        {head + "!DEFINITIONS: 1d\nMOVE\n!END\nMORE\n",
         "definition line 6: nothing may follow !END"},
        {head + "!DEFINITIONS: 2d\nMOVE\nMOVE\n!END\n",
         "definition line 5: command 'MOVE' is defined twice"},
        {head + "!DEFINITIONS: 1d\nARG\tVARIABLE\n!END\n",
         "definition line 4: ARG is the script's own word and cannot be a command"},
        {head + "!DEFINITIONS: 257d\n", "definition line 3: more than 256 commands"},
        {"!EXTERNAL: Toy\n!KEYWORDS: UP UP\n!DEFINITIONS: 0d\n!END\n",
         "definition line 2: keyword 'UP' is listed twice"},
        {"!KEYWORDS: UP\n", "definition line 1: expected !EXTERNAL:, found '!KEYWORDS:'"},
        {"!EXTERNAL: Other\n!KEYWORDS:\n!DEFINITIONS: 0d\n!END\n",
         "the text defines external 'Other', linked as 'Toy'"},
        {head + "!DEFINITIONS: 1d\nMOVE" + seventeenKinds + "\n!END\n",
         "definition line 4: 'MOVE' has more than 16 operands"},
        {std::string(OV_MENTARO_LARGEST_DEFINITION + 1, '\n'),
         "the definition text is larger than 65536 bytes"},
    };
    for (const auto& [text, expected] : cases)
    {
        OvMentaroUnlinkDefinitions();
        EXPECT_FALSE(OvMentaroLinkDefinition("Toy", text.data(), uint32_t(text.size()))) << text;
        EXPECT_EQ(OvMentaroLastError(), expected);
        EXPECT_EQ(OvMentaroBuildDefinitionList(), nullptr);
    }
}
