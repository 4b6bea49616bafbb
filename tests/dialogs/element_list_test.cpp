// The comet and minor-planet dialogs' lists without X: which lines are
// listed and how, which record each entry reads back (through the index, or
// at its offset when its second name is empty or shared), a changed file,
// the flags of loaded objects, the toggles' looks, and the statements and
// gauge of a read.
#include <gtest/gtest.h>

#include "astro/calendar.h"
#include "core/regular_file.h"
#include "dialogs/element_list.h"
#include "dialogs/kit/command_text.h"
#include "dialogs/small_body_dialogs_fields.h"
#include "tests/dialogs/element_test_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using elementtest::Record;
using elementtest::WriteElementFile;

std::string Trimmed(const char* text)
{
    std::string s = text;
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

TEST(ElementList, RecordsAreListedInFileOrderAndOtherLinesLeftOut)
{
    const std::vector<std::string> lines = {
        "# a comment line",
        Record('C', "Halley", "1P"),
        "",
        Record('C', "Short Form", "", true),
        Record('C', "Damaged", "9P").replace(66, 10, "  nan     "),
        std::string(150, 'C'),
        Record('X', "Wrong Kind", "8P"),
        Record('M', "A Name Longer Than Thirty Characters", "C/2020 F3 NEOWISE"),
    };
    const auto files = WriteElementFile("listed.elm", lines, false);
    ElementList list;
    ASSERT_EQ(LoadElementList(list, files.elements.c_str()), 3);
    EXPECT_EQ(list.items, (std::vector<std::string>{
                              "1P              Halley                        ",
                              "                Short Form                    ",
                              "C/2020 F3 NEOWI A Name Longer Than Thirty Char",
                          }));
    EXPECT_STREQ(list.entries[1].secondName, "");
    EXPECT_STREQ(list.entries[2].name, "A Name Longer Than Thirty Char");
    // Offsets of the lines with their CR LF.
    EXPECT_EQ(list.entries[0].offset, 18);
    EXPECT_EQ(list.entries[1].offset, 18 + 205 + 2);
    EXPECT_EQ(list.searchNames, (std::vector<std::string>{"Halley", "1P", "Short Form", "",
                                                          "A Name Longer Than Thirty Char",
                                                          "C/2020 F3 NEOWI"}));
}

// Every entry reads back its own record, whatever its second name.
TEST(ElementList, EveryEntryReadsItsOwnRecord)
{
    const std::vector<std::string> lines = {
        Record('C', "Upper", "1P", false, 1),
        Record('C', "Lower", "c/2020 f3", false, 2),
        Record('C', "Empty A", "", false, 3),
        Record('C', "Twin A", "77P", false, 4),
        Record('C', "Empty B", "", true, 5),
        Record('C', "Twin B", "77P", false, 6),
        // Its designation column holds "1P" too, later in the file: the
        // index finds this record under "1P".
        Record('C', "Shadow", "2P", false, 7).replace(kDesignationColumn, 10, "1P        "),
    };
    const auto files = WriteElementFile("twins.elm", lines);
    ElementList list;
    ASSERT_EQ(LoadElementList(list, files.elements.c_str()), 7);
    EXPECT_STREQ(list.entries[1].key, "C/2020 F3");
    EXPECT_STREQ(list.entries[2].key, "");
    EXPECT_STREQ(list.entries[3].key, "");   // shared
    // One open file for every read, in file order and backwards: a seek
    // inside what the stream holds must land on the record all the same.
    const UniqueFile elements = OpenRegularFile(files.elements.c_str());
    for (bool backwards : {false, true}) {
        for (size_t n = 0; n < list.entries.size(); ++n) {
            const size_t i = backwards ? list.entries.size() - 1 - n : n;
            SCOPED_TRACE(list.entries[i].name);
            OrbitalElements el{};
            ASSERT_EQ(ReadListedElements(list.entries[i], elements.get(), files.elements.c_str(),
                                         files.index.c_str(), el),
                      1);
            EXPECT_EQ(Trimmed(el.name), list.entries[i].name);
            EXPECT_NEAR(el.perihelionTime, JulianDayFromCalendar(1986, 2, static_cast<double>(i) + 1.895317),
                        1e-6);
        }
    }
    // Without an index every entry is read at its offset; without the open
    // file only an entry with a key of its own is found, through the index.
    for (auto [entry, open, index, found] : {std::tuple{1, true, "/nonexistent.dbm", 1},
                                             {1, false, files.index.c_str(), 1},
                                             {2, false, files.index.c_str(), 0}}) {
        OrbitalElements el{};
        EXPECT_EQ(ReadListedElements(list.entries[entry], open ? elements.get() : nullptr,
                                     files.elements.c_str(), index, el),
                  found)
            << entry << open;
        if (found != 0) {
            EXPECT_STREQ(el.name, "Lower                         ");
        }
    }
}

TEST(ElementList, AMissingFileAFolderAndAFifoAreRefused)
{
    const auto files = WriteElementFile("listed.elm", {Record('C', "One", "1P")}, false);
    ElementList list;
    ASSERT_EQ(LoadElementList(list, files.elements.c_str()), 1);
    EXPECT_EQ(LoadElementList(list, (TestHome() + "/absent.elm").c_str()), kElementFileMissing);
    EXPECT_TRUE(list.entries.empty() && list.items.empty());
    EXPECT_EQ(LoadElementList(list, TestHome().c_str()), kElementFileMissing);
    const std::string fifo = TestHome() + "/fifo.elm";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LoadElementList(list, fifo.c_str()), kElementFileMissing) << "a FIFO blocks no one";
    unlink(fifo.c_str());
}

TEST(ElementList, LoadedObjectsKeepTheirFlagsWithTheShowBit)
{
    // "Two" is listed twice and loaded twice: its first entry takes the
    // flags of the first loaded one.
    const auto files = WriteElementFile("marked.elm",
                                        {Record('C', "One", "1P"), Record('C', "Two", "2P"),
                                         Record('C', "Three", "3P"), Record('C', "Two", "2P")},
                                        false);
    ElementList list;
    ASSERT_EQ(LoadElementList(list, files.elements.c_str()), 4);
    const std::vector<std::pair<std::string, uint8_t>> objects = {
        {Record('C', "Three", "3P"), 0x14}, {Record('C', "Gone", "9P"), 0x02},
        {Record('C', "Two", "2P"), 0x08}, {Record('C', "Two", "2P"), 0x20}};
    std::vector<OrbitalElements> loaded(objects.size());
    std::vector<uint8_t> flags;
    for (size_t i = 0; i < objects.size(); ++i) {
        ASSERT_EQ(ParseElementLine(loaded[i], objects[i].first.c_str()), 1);
        flags.push_back(objects[i].second);
    }
    MarkLoadedEntries(list, 0xE1, loaded.data(), flags.data(), static_cast<int>(objects.size()));
    const std::vector<uint8_t> expected = {0xE1, 0x08 | kBodyShown, 0x14 | kBodyShown, 0xE1};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(list.entries[i].flags, expected[i]) << i;
}

TEST(ElementList, TogglesShowAgreementAndMixedBitsSetForAll)
{
    ElementList list;
    list.entries.resize(3);
    list.entries[0].flags = kBodyShown | kBodyName | kBodyOrbit;
    list.entries[1].flags = kBodyShown | kBodyOrbit;
    list.entries[2].flags = kBodyName;
    const std::vector<uint8_t> bits = {kBodyShown, kBodyName, kBodyOrbit};
    const struct {
        std::vector<int> positions;
        std::vector<EntryToggleState> states;   // indeterminate, set, sensitive
    } rows[] = {
        {{1}, {{0, 1, 1}, {0, 1, 1}, {0, 1, 1}}},
        {{1, 2}, {{0, 1, 1}, {1, 1, 1}, {0, 1, 1}}},
        {{3}, {{0, 0, 1}, {0, 1, 0}, {0, 0, 0}}},
        {{2, 3}, {{1, 1, 1}, {1, 0, 0}, {1, 1, 0}}},
    };
    for (const auto& row : rows) {
        const auto states = EntryToggleStates(list, row.positions, bits);
        for (size_t i = 0; i < bits.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "row " << row.positions.size() << " toggle " << i);
            EXPECT_EQ(states[i].indeterminate, row.states[i].indeterminate);
            if (row.states[i].indeterminate == 0) {
                EXPECT_EQ(states[i].set, row.states[i].set);
            }
            EXPECT_EQ(states[i].sensitive, row.states[i].sensitive);
        }
    }
    // A mixed Name box pressed sets the bit on both, whatever the box says.
    SetEntryBit(list, {1, 2}, kBodyName, 0);
    EXPECT_EQ(list.entries[0].flags & kBodyName, kBodyName);
    EXPECT_EQ(list.entries[1].flags & kBodyName, kBodyName);
    SetEntryBit(list, {1, 2}, kBodyName, 0);
    EXPECT_EQ(list.entries[0].flags & kBodyName, 0);
    EXPECT_EQ(list.entries[1].flags & kBodyName, 0);
    EXPECT_EQ(list.entries[2].flags & kBodyName, kBodyName);
}

TEST(SmallBodyKinds, EachLoadedObjectGetsItsFlagsAsShowAndHide)
{
    const struct {
        const SmallBodyKind* kind;
        int number;
        uint8_t flags;
        const char* text;
    } rows[] = {
        {&kCometKind, 1, 0xE3,
         "HIDE COMET1_NAME;HIDE COMET1_DATE;HIDE COMET1_MAG;SHOW COMET1_OBT;SHOW IONTAIL1;SHOW DUSTTAIL1"},
        {&kCometKind, 12, kBodyShown | kBodyName | kBodyDate | kBodyMagnitude | kBodyIonTail,
         "SHOW COMET12_NAME;SHOW COMET12_DATE;SHOW COMET12_MAG;HIDE COMET12_OBT;SHOW IONTAIL12;HIDE DUSTTAIL12"},
        {&kMinorPlanetKind, 3, 0x21 | kBodyShown,
         "HIDE MINORPLANET3_NAME;HIDE MINORPLANET3_DATE;HIDE MINORPLANET3_MAG;SHOW MINORPLANET3_OBT"},
        {&kMinorPlanetKind, 1000, 0xFF,
         "SHOW MINORPLANET1000_NAME;SHOW MINORPLANET1000_DATE;SHOW MINORPLANET1000_MAG;"
         "SHOW MINORPLANET1000_OBT"},
    };
    for (const auto& row : rows) {
        CommandText command;
        AddEntryStatements(command, *row.kind, row.number, row.flags);
        ASSERT_EQ(command.texts.size(), 1u);
        EXPECT_EQ(command.texts[0], row.text);
    }
}

TEST(SmallBodyKinds, ACometReadCountsOneMoreForTheGauge)
{
    EXPECT_FALSE(ReadShowsGauge(kCometKind, 99));
    EXPECT_TRUE(ReadShowsGauge(kCometKind, 100));
    EXPECT_FALSE(ReadShowsGauge(kMinorPlanetKind, 100));
    EXPECT_TRUE(ReadShowsGauge(kMinorPlanetKind, 101));
    EXPECT_EQ(kCometKind.defaultFlags, 0xE1);
    EXPECT_EQ(kMinorPlanetKind.defaultFlags, 0x21);
    EXPECT_EQ(ElementListItem("1P", "Halley"), "1P              Halley                        ");
}

}  // namespace
