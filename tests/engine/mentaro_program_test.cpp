// Compiled programs as bytes: written to files and run from the loaded bytes, and every kind
// of broken binary refused before anything runs; programs tied to the command set they were
// compiled against; runs nested through handlers kept finite.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "support/mentaro_recorder.h"
#include "support/save_faults.h"

using namespace OvTest;

namespace
{

const char* kScript = "ARG sky\nCOLOR SCENE sky\nBLEND SRC_ALPHA ONE\nEXECUTE $1\n";
constexpr size_t kHeader = 24;

// A borrowed view of bytes, as the framework hands in a program it loaded itself.
OvByteBuffer View(std::vector<uint8_t>& bytes)
{
    const auto size = uint32_t(bytes.size());
    return {size, bytes.data(), bytes.data(), 0, 1, size, 0};
}

class MentaroProgramTest : public ::testing::Test
{
  protected:
    void* list = nullptr;
    int hosts[2] = {};
    void* slots[2] = {&hosts[0], &hosts[1]};
    std::filesystem::path folder;

    void SetUp() override
    {
        list = LinkRecordingList("TechniqueShader", kTechniqueShaderText, kTechniqueShaderCommands);
        ASSERT_NE(list, nullptr);
        folder = std::filesystem::temp_directory_path() /
                 ("mentaro_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }

    void TearDown() override
    {
        OvMentaroFreeDefinitionList(list);
        std::filesystem::remove_all(folder);
    }

    std::vector<uint8_t> Compiled(const char* source = kScript)
    {
        OvByteBuffer program{};
        EXPECT_TRUE(OvMentaroCompile(&program, source, uint32_t(strlen(source)), list))
            << OvMentaroLastError();
        std::vector<uint8_t> bytes(program.start, program.start + program.count);
        OvMentaroFree(&program);
        EXPECT_EQ(program.start, nullptr);
        return bytes;
    }

    int32_t Run(std::vector<uint8_t> bytes, uint32_t slotCount = 2)
    {
        MentaroRecord().clear();
        OvByteBuffer view = View(bytes);
        return OvMentaroExecute(&view, slots, slotCount, list);
    }

    // A refused program runs no handler and says why.
    void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& reason,
                       uint32_t slotCount = 2)
    {
        EXPECT_EQ(Run(bytes, slotCount), 0);
        EXPECT_TRUE(MentaroRecord().empty());
        EXPECT_EQ(OvMentaroLastError(), reason);
    }

    std::string Path(const char* name) const { return (folder / name).string(); }
};

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

TEST_F(MentaroProgramTest, CompiledFilesRunFromTheirLoadedBytes)
{
    const std::string source = Path("blend.mt"), target = Path("blend.bin");
    std::ofstream(source) << kScript;
    ASSERT_TRUE(OvMentaroCompileFileToFile(source.c_str(), target.c_str(), list))
        << OvMentaroLastError();
    const std::vector<uint8_t> loaded = ReadFile(target);
    EXPECT_EQ(loaded, Compiled());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2); // nothing beside
    ASSERT_EQ(Run(loaded), 3) << OvMentaroLastError();
    EXPECT_EQ(MentaroRecord()[1].Keyword(0), 16u);
    EXPECT_EQ(MentaroRecord()[2].Slot(0), slots[1]);

    const std::string direct = Path("direct.bin");
    ASSERT_TRUE(OvMentaroCompileToFile(kScript, uint32_t(strlen(kScript)), direct.c_str(), list));
    EXPECT_EQ(ReadFile(direct), loaded);
    OvByteBuffer fromFile{};
    ASSERT_TRUE(OvMentaroCompileFile(&fromFile, source.c_str(), list));
    EXPECT_EQ(std::vector<uint8_t>(fromFile.start, fromFile.start + fromFile.count), loaded);
    OvMentaroFree(&fromFile);
}

TEST_F(MentaroProgramTest, FileFailuresLeaveTheTargetAlone)
{
    const std::string target = Path("kept.bin");
    std::ofstream(target) << "old";
    EXPECT_FALSE(OvMentaroCompileToFile("BLUR\n", 5, target.c_str(), list));
    EXPECT_EQ(std::string(OvMentaroLastError()), "line 1: expected a command, found 'BLUR'");
    EXPECT_EQ(ReadFile(target).size(), 3u);
    EXPECT_FALSE(OvMentaroCompileFileToFile(Path("missing.mt").c_str(), target.c_str(), list));
    EXPECT_EQ(OvMentaroLastError(), "cannot open '" + Path("missing.mt") + "'");
    EXPECT_FALSE(OvMentaroCompileToFile(kScript, uint32_t(strlen(kScript)),
                                        Path("no/such/folder.bin").c_str(), list));
    EXPECT_EQ(OvMentaroLastError(), "cannot write '" + Path("no/such/folder.bin") + "'");

    // A full disk fails the write and leaves the old file alone, with nothing beside it.
    const auto compile = [&]
    { return OvMentaroCompileToFile(kScript, uint32_t(strlen(kScript)), target.c_str(), list); };
    EXPECT_EQ(std::optional<bool>(false), SaveWithFileLimit(long(kHeader), compile));
    EXPECT_EQ(ReadFile(target).size(), 3u);
    ExpectFolderHoldsOnly(folder.string(), target);

    const std::string huge = Path("huge.mt");
    std::ofstream(huge) << std::string(OV_MENTARO_LARGEST_SOURCE + 1, '\n');
    OvByteBuffer program{};
    EXPECT_FALSE(OvMentaroCompileFile(&program, huge.c_str(), list));
    EXPECT_EQ(program.start, nullptr);
    EXPECT_EQ(OvMentaroLastError(), "'" + huge + "' is larger than 1048576 bytes");
}

TEST_F(MentaroProgramTest, EveryTruncationIsRefused)
{
    const std::vector<uint8_t> whole = Compiled();
    for (size_t size = 1; size < whole.size(); ++size)
    {
        EXPECT_EQ(Run(std::vector<uint8_t>(whole.begin(), whole.begin() + long(size))), 0);
        EXPECT_TRUE(MentaroRecord().empty()) << size;
        EXPECT_NE(std::string(OvMentaroLastError()), "") << size;
    }
    ExpectRefused({}, "the program is empty");
    ExpectRefused(std::vector<uint8_t>(whole.begin(), whole.begin() + 10),
                  "the program is 10 bytes, shorter than its header");
    ExpectRefused(std::vector<uint8_t>(whole.begin(), whole.end() - 2),
                  "the program's header announces 32 bytes of commands, it holds 30");
}

TEST_F(MentaroProgramTest, BrokenFieldsAreRefusedBeforeAnythingRuns)
{
    const std::vector<uint8_t> good = Compiled();
    ASSERT_EQ(good.size(), kHeader + 32);
    auto patched = [&](size_t at, uint8_t value)
    {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    ExpectRefused(patched(0, 'X'), "not a compiled program (wrong magic)");
    ExpectRefused(patched(4, 2), "program version 2 is not one this engine runs");
    ExpectRefused(patched(8, good[8] ^ 1),
                  "the program was compiled against another definition list");
    ExpectRefused(patched(16, 9), "the program announces more commands than it holds");
    ExpectRefused(patched(16, 4), "command 4: the program ends inside a command");
    ExpectRefused(patched(16, 2), "the program holds bytes after its last command");
    // The last command (EXECUTE, at 24 + 12 + 12) is where the damage goes: the two before it
    // would have run had anything run before the whole program was checked.
    const size_t last = kHeader + 24;
    ExpectRefused(patched(last, 10),
                  "command 3: definition index 10 is beyond the list's 10 commands");
    ExpectRefused(patched(last + 2, 2), "command 3: EXECUTE takes 1 operands, the program gives 2");
    ExpectRefused(patched(last + 3, 1), "command 3: damaged command record");
    ExpectRefused(patched(last + 4, 2),
                  "command 3: EXECUTE operand 1: slot 2 is beyond the 2 slots given");
    ExpectRefused(good, "command 3: EXECUTE operand 1: slot 1 is beyond the 1 slots given", 1);
    ExpectRefused(patched(kHeader + 16, 35),
                  "command 2: BLEND operand 1: keyword 35 is beyond the 35 keywords");
    EXPECT_EQ(Run(good), 3);
}

TEST_F(MentaroProgramTest, ProgramsRunOnlyWithTheCommandSetTheyWereCompiledAgainst)
{
    const std::vector<uint8_t> bytes = Compiled();
    // The same command set linked again, written with "\r\n", is the same list.
    std::string crlf;
    for (char c : kTechniqueShaderText)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    void* same = LinkRecordingList("TechniqueShader", crlf, kTechniqueShaderCommands);
    ASSERT_NE(same, nullptr);
    MentaroRecord().clear();
    std::vector<uint8_t> copy = bytes;
    OvByteBuffer view = View(copy);
    EXPECT_EQ(OvMentaroExecute(&view, slots, 2, same), 3);
    OvMentaroFreeDefinitionList(same);
    // A freed list is refused, not read.
    EXPECT_EQ(OvMentaroExecute(&view, slots, 2, same), 0);
    EXPECT_EQ(std::string(OvMentaroLastError()),
              "the definition list is not one built by OvMentaroBuildDefinitionList, or it was "
              "freed");

    // One keyword more changes the set: the old program is refused, recompiling mends it.
    std::string changed(kTechniqueShaderText);
    changed.insert(changed.find(" CANVAS\n"), " NEVER");
    OvMentaroFreeDefinitionList(list);
    list = LinkRecordingList("TechniqueShader", changed, kTechniqueShaderCommands);
    ASSERT_NE(list, nullptr) << OvMentaroLastError();
    ExpectRefused(bytes, "the program was compiled against another definition list");
    EXPECT_EQ(Run(Compiled()), 3);
}

TEST_F(MentaroProgramTest, ListsJoinEveryLinkedTextInLinkOrder)
{
    const std::string toy =
        "!EXTERNAL: Toy\n!KEYWORDS: UP\n!DEFINITIONS: 1d\nMOVE\tKEYWORD\n!END\n";
    OvMentaroUnlinkDefinitions();
    ASSERT_TRUE(OvMentaroLinkDefinition("TechniqueShader", kTechniqueShaderText.data(),
                                        uint32_t(kTechniqueShaderText.size())));
    ASSERT_TRUE(OvMentaroLinkDefinition("Toy", toy.data(), uint32_t(toy.size())));
    void* both = OvMentaroBuildDefinitionList();
    OvMentaroUnlinkDefinitions();
    RecordCommands("Toy", {"MOVE"});
    OvByteBuffer program{};
    // Each command takes the keywords of its own external: UP is Toy's keyword 0.
    ASSERT_TRUE(OvMentaroCompile(&program, "MOVE UP\n", 8, both));
    EXPECT_EQ(program.start[kHeader], 10); // after TechniqueShader's ten commands
    MentaroRecord().clear();
    EXPECT_EQ(OvMentaroExecute(&program, nullptr, 0, both), 1);
    EXPECT_EQ(MentaroRecord()[0].Keyword(0), 0u);
    OvMentaroFree(&program);
    EXPECT_FALSE(OvMentaroCompile(&program, "MOVE TRUE\n", 10, both));
    OvMentaroFreeDefinitionList(both);

    // A command defined by two texts cannot join one list.
    const std::string clash = "!EXTERNAL: Clash\n!KEYWORDS:\n!DEFINITIONS: 1d\nCLEAR\n!END\n";
    ASSERT_TRUE(OvMentaroLinkDefinition("TechniqueShader", kTechniqueShaderText.data(),
                                        uint32_t(kTechniqueShaderText.size())));
    EXPECT_FALSE(OvMentaroLinkDefinition("Clash", clash.data(), uint32_t(clash.size())));
    EXPECT_STREQ(OvMentaroLastError(), "command 'CLEAR' is defined by two linked texts");
    OvMentaroUnlinkDefinitions();
    EXPECT_EQ(OvMentaroBuildDefinitionList(), nullptr);
}

namespace
{

OvByteBuffer* nestedProgram = nullptr;
const void* nestedList = nullptr;
int nestedCalls = 0;

void RunAgain(OvByteBuffer*)
{
    ++nestedCalls;
    OvMentaroExecute(nestedProgram, nullptr, 0, nestedList);
}

void FreeProgram(OvByteBuffer*)
{
    OvMentaroFree(nestedProgram);
}

} // namespace

TEST_F(MentaroProgramTest, HandlersMayRunOrFreeTheProgramTheyAreCalledFrom)
{
    OvByteBuffer program{};
    ASSERT_TRUE(OvMentaroCompile(&program, "CLEAR COLOR\n", 12, list));
    nestedProgram = &program;
    nestedList = list;
    OvMentaroAddDefinitionProc("TechniqueShader", "CLEAR", RunAgain);
    // Each run's handler runs the program again: 16 runs deep, then the next is refused.
    EXPECT_EQ(OvMentaroExecute(&program, nullptr, 0, list), 1);
    EXPECT_EQ(nestedCalls, 16);
    OvMentaroFree(&program);

    ASSERT_TRUE(OvMentaroCompile(&program, "CLEAR COLOR\nCLEAR DEPTH\n", 24, list));
    OvMentaroAddDefinitionProc("TechniqueShader", "CLEAR", FreeProgram);
    EXPECT_EQ(OvMentaroExecute(&program, nullptr, 0, list), 2);
    EXPECT_EQ(program.start, nullptr);
}
