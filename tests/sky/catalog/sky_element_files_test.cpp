// Element files, their index and the small-body lists: the shipped files
// against their manifest, every record found again through its index, the
// record format's edge cases, damaged files (LF line ends, truncation, a
// stale index), the script lookup, and the lists' growth, failure and
// release. The program's realloc is wrapped so that a test can make it fail.
#include <gtest/gtest.h>

#include "astro/calendar.h"
#include "astro/small_body_orbit.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/script_element_lookup.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/scene.h"
#include "tests/harness/test_files.h"

#include <gdbm.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {
bool gFailRealloc = false;
int gReallocCalls = 0;
}

extern "C" void* __real_realloc(void* p, size_t n);
extern "C" void* __wrap_realloc(void* p, size_t n)
{
    ++gReallocCalls;
    return gFailRealloc ? nullptr : __real_realloc(p, n);
}

namespace {

std::string DataPath(const char* name)
{
    return std::string(UVOLA_SOURCE_DIR "/data/") + name;
}

std::map<std::string, std::string> Manifest()
{
    std::map<std::string, std::string> values;
    std::ifstream in(DataPath("element_manifest.txt"));
    std::string key, value;
    while (in >> key >> value)
        if (key[0] != '#')
            values[key] = value;
    return values;
}

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A record built field by field: the tests name only what they change.
std::string Record(char kind, const char* number, const char* designation, const char* name,
                   const char* secondName = nullptr)
{
    char text[260];
    std::snprintf(text, sizeof text,
                  "%c %6s %-10s %-30s 19860209.458900 0.96727000  0.58710000 111.846600  58.143600 162.238500"
                  " 2000.0   5.50  10.0",
                  kind, number, designation, name);
    std::string line(text);
    line.resize(kShortElementLine, ' ');
    if (secondName != nullptr) {
        line += ' ';
        char second[16];
        std::snprintf(second, sizeof second, "%-15s", secondName);
        line += second;
    }
    return line;
}

// A scratch directory of its own for each test.
class ElementFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/uvola-elm-XXXXXX";
        directory_ = mkdtemp(pattern);
    }
    void TearDown() override { std::system(("rm -rf '" + directory_ + "'").c_str()); }

    std::string Write(const char* name, const std::vector<std::string>& lines, const char* end = "\r\n")
    {
        const std::string path = directory_ + "/" + name;
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << line << end;
        return path;
    }
    std::string Path(const char* name) const { return directory_ + "/" + name; }

    static std::string HalleyRecord() { return Record('C', "1P", "", "Halley", "1P"); }
    // A script whose ORBIT block holds ":Hal" without an element and
    // ":HALLEY" with Halley's, and ":Encke" after END BLOCK; opened and read
    // up to byte 5, as the script reader leaves it.
    FILE* OpenOrbitScript()
    {
        const std::string element = HalleyRecord();
        const std::string script = Write("s.stl", {"DATE 1986,2,9,0,0,0", "Block   orbit", ":Hal", "not this line",
                                                   ":HALLEY", element, "end  BLOCK", ":Encke", element});
        FILE* file = std::fopen(script.c_str(), "rb");
        if (file != nullptr) {
            std::fseek(file, 5, SEEK_SET);
        }
        return file;
    }

    // An index build with what it printed on each stream.
    struct Build {
        int32_t result;
        std::string out, err;
    };
    static Build BuildIndex(const std::string& file, const std::string& index)
    {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int32_t result = BuildElementIndex(file.c_str(), index.c_str());
        std::string out = ::testing::internal::GetCapturedStdout();
        return {result, out, ::testing::internal::GetCapturedStderr()};
    }

    std::string directory_;
};

TEST(ShippedElementFiles, MatchTheirManifestRecordByRecord)
{
    const auto manifest = Manifest();
    struct Row {
        const char* file;
        const char* count;
        char kind;
    };
    for (const Row& row : {Row{"comet.elm", "comets", 'C'}, Row{"mp.elm", "minor_planets", 'M'}}) {
        const std::vector<std::string> lines = Lines(DataPath(row.file));
        EXPECT_EQ(std::to_string(lines.size()), manifest.at(row.count)) << row.file;
        for (const std::string& line : lines) {
            ASSERT_EQ(line.size(), 204u) << line;   // 203 and the CR
            ASSERT_EQ(line.back(), '\r');
            OrbitalElements el;
            ASSERT_EQ(ParseElementLine(el, line.c_str()), 1) << line;
            ASSERT_EQ(el.kind, row.kind);
            ASSERT_NE(el.secondName[0], ' ') << line;
            ASSERT_NE(el.name[0], ' ') << line;   // every object is labelled on the chart
            ASSERT_EQ(std::string(el.sourceLine), line.substr(0, 203) + "\r\n");
        }
    }
}

// The tail lengths of the tail rule in data/SOURCES.md for the three comets
// it was checked against.
TEST(ShippedElementFiles, TailRuleGivesTheStatedLengths)
{
    struct Row {
        const char* secondName;
        double dust, ion;   // AU
    };
    const Row rows[] = {{"1P", 0.10, 0.20}, {"C/1995 O1", 0.40, 0.80}, {"C/2020 F3", 0.07, 0.14}};
    int found = 0;
    for (const std::string& line : Lines(DataPath("comet.elm"))) {
        OrbitalElements el;
        ASSERT_EQ(ParseElementLine(el, line.c_str()), 1);
        for (const Row& row : rows) {
            if (std::string(el.secondName).find(std::string(row.secondName) + " ") != 0)
                continue;
            ++found;
            EXPECT_EQ(el.dustTailLength, row.dust) << row.secondName;
            EXPECT_EQ(el.ionTailLength, row.ion) << row.secondName;
        }
    }
    EXPECT_EQ(found, 3);
}

// Both shipped files indexed; every record found by its second name at
// its own line, and its other keys found too (a later record may own them).
TEST_F(ElementFileTest, EveryShippedRecordIsFoundThroughItsIndex)
{
    for (const char* file : {"comet.elm", "mp.elm"}) {
        const std::string index = Path("index.dbm");
        const Build build = BuildIndex(DataPath(file), index);
        ASSERT_EQ(build.result, 1);
        EXPECT_EQ(build.out, std::string(50, '.') + "done.\n");
        const std::vector<std::string> lines = Lines(DataPath(file));
        for (size_t n = 0; n < lines.size(); ++n) {
            char key[kIndexKeySize];
            CopyIndexKey(key, lines[n].c_str(), kSecondNameColumn, kSecondNameWidth);
            ASSERT_EQ(FetchElementOffset(index.c_str(), key), static_cast<int32_t>(n * 205)) << key;
            OrbitalElements el;
            ASSERT_EQ(ReadOrbitalElementsAt(key, el, DataPath(file).c_str(), index.c_str()), 1) << key;
            ASSERT_EQ(std::strncmp(el.sourceLine, lines[n].c_str(), 203), 0);
            CopyIndexKey(key, lines[n].c_str(), kNameColumn, kNameWidth);
            if (key[0] != '\0') {
                ASSERT_GE(FetchElementOffset(index.c_str(), key), 0) << key;
            }
        }
    }
}

TEST(ParseElementLine, ShortAndLongRecordsAndTheDefaults)
{
    OrbitalElements shortForm, longForm;
    ASSERT_EQ(ParseElementLine(shortForm, Record('C', "1P", "", "Halley").c_str()), 1);
    ASSERT_EQ(ParseElementLine(longForm, (Record('C', "1P", "", "Halley") + std::string(16, ' ')).c_str()), 1);
    EXPECT_EQ(std::memcmp(&shortForm, &longForm, sizeof shortForm), 0);
    EXPECT_STREQ(shortForm.secondName, "               ");
    EXPECT_STREQ(shortForm.number, "    1P");
    EXPECT_STREQ(shortForm.designation, "          ");
    EXPECT_EQ(std::strlen(shortForm.sourceLine), 205u);
    EXPECT_DOUBLE_EQ(shortForm.perihelionTime, 2446470.9589);
    EXPECT_DOUBLE_EQ(shortForm.eccentricity, 0.96727);
    EXPECT_DOUBLE_EQ(shortForm.h, 5.5);

    // Blank fixed fields take their defaults; blanks then digits read from
    // the first digit.
    std::string line = Record('M', "", "2015 KV175", "");
    line.replace(123, 33, std::string(33, ' '));
    line.replace(143, 4, "  .3");
    OrbitalElements el;
    ASSERT_EQ(ParseElementLine(el, line.c_str()), 1);
    EXPECT_EQ((std::array{el.equinoxYear, el.h, el.k, el.dustTailLength, el.ionTailLength, el.dustForce}),
              (std::array{2000.0, 6.0, 10.0, 0.3, 0.01, 1.0}));
    EXPECT_STREQ(el.designation, "2015 KV175");
    EXPECT_EQ(ParseFixedFieldOrDefault("   4.5", 6, 1.0), 4.5);
    EXPECT_EQ(ParseFixedFieldOrDefault("      ", 6, 1.0), 1.0);
}

// Fields are read as they stand, a field without a number as 0 and elements
// with no orbit too (the orbit computation refuses them); only a short line
// and what is no finite number are refused.
TEST(ParseElementLine, ReadsFieldsAsTheyStandAndRefusesOnlyWhatIsNoNumber)
{
    const std::string good = Record('C', "1P", "", "Halley");
    struct Row {
        int column;
        const char* text;
        int parsed;
    };
    for (const Row& row : {Row{67, "       nan", 0}, Row{130, "   inf", 0}, Row{78, " 0.00000000", 1},
                           Row{78, "-1.00000000", 1}, Row{67, "-0.1000000", 1}, Row{101, "          ", 1},
                           Row{51, "    ", 1}}) {
        std::string line = good;
        line.replace(row.column, std::strlen(row.text), row.text);
        OrbitalElements el;
        EXPECT_EQ(ParseElementLine(el, line.c_str()), row.parsed) << row.text;
    }
    std::string line = good;
    line.replace(101, 10, "          ");
    line.replace(51, 4, "    ");
    line.replace(78, 11, " 0.00000000");
    OrbitalElements el;
    ASSERT_EQ(ParseElementLine(el, line.c_str()), 1);
    EXPECT_EQ(el.node, 0.0);
    EXPECT_EQ(el.perihelionDistance, 0.0);
    EXPECT_DOUBLE_EQ(el.perihelionTime, JulianDayFromCalendar(0, 2, 9.4589));
    EXPECT_EQ(ParseElementLine(el, good.substr(0, 186).c_str()), 0);
}

TEST_F(ElementFileTest, KeysAreUpperCaseAndALaterRecordWins)
{
    const std::string file = Write("c.elm", {Record('C', "", "C/1995 O1", "Hale-Bopp", "c/1995 o1"),
                                             Record('C', "", "C/1995 O1", "Second one", "X1")});
    const std::string index = Path("c.dbm");
    ASSERT_EQ(BuildIndex(file, index).result, 1);
    EXPECT_EQ(FetchElementOffset(index.c_str(), "C/1995 O1"), 205);
    EXPECT_EQ(FetchElementOffset(index.c_str(), "HALE-BOPP"), 0);
    EXPECT_EQ(FetchElementOffset(index.c_str(), "Hale-Bopp"), -1);
    EXPECT_EQ(FetchElementOffset(index.c_str(), ""), 205);   // both numbers are blank
    OrbitalElements el;
    ASSERT_EQ(ReadOrbitalElementsAt("SECOND ONE", el, file.c_str(), index.c_str()), 1);
    EXPECT_EQ(std::string(el.name, 10), "Second one");
    EXPECT_EQ(ReadOrbitalElementsAt("NOT THERE", el, file.c_str(), index.c_str()), 0);
    EXPECT_EQ(ReadOrbitalElementsAt("X1", el, file.c_str(), Path("missing.dbm").c_str()), 0);
    ASSERT_EQ(ReadOrbitalElementsAtOffset(file.c_str(), 205, el), 1);
    EXPECT_STREQ(el.secondName, "X1             ");
    EXPECT_EQ(ReadOrbitalElementsAtOffset(file.c_str(), 7, el), 0);
    EXPECT_EQ(ReadOrbitalElementsAtOffset(file.c_str(), 410, el), 0);
}

// A value that is not a 4-byte offset is no offset.
TEST_F(ElementFileTest, AnIndexValueOfTheWrongSizeIsRefused)
{
    const std::string index = Path("odd.dbm");
    GDBM_FILE db = gdbm_open(index.c_str(), 512, GDBM_NEWDB, 0644, nullptr);
    ASSERT_NE(db, nullptr);
    char key[] = "ODD", value[] = "abc";
    gdbm_store(db, datum{key, 3}, datum{value, 3}, GDBM_REPLACE);
    gdbm_close(db);
    EXPECT_EQ(FetchElementOffset(index.c_str(), "ODD"), -1);
}

// LF line ends and a mix of short and long records keep every offset; a
// damaged line or a truncated end fails the build, saying nothing, and
// leaves the old index in place.
TEST_F(ElementFileTest, LineEndsDamageAndTruncation)
{
    const std::vector<std::string> records = {Record('C', "1P", "", "Halley", "1P"), Record('M', "1", "", "Ceres"),
                                              Record('N', "", "X/1", "Nova", "X1")};
    const std::string lf = Write("lf.elm", records, "\n");
    const std::string index = Path("lf.dbm");
    ASSERT_EQ(BuildIndex(lf, index).result, 1);
    EXPECT_EQ(FetchElementOffset(index.c_str(), "CERES"), 204);
    EXPECT_EQ(FetchElementOffset(index.c_str(), "X1"), 204 + 188);
    OrbitalElements el;
    ASSERT_EQ(ReadOrbitalElementsAt("X1", el, lf.c_str(), index.c_str()), 1);
    EXPECT_EQ(el.kind, 'N');

    const std::string damaged = Write("bad.elm", {records[0], "C broken line", records[1]});
    Build build = BuildIndex(damaged, index);
    EXPECT_EQ(build.result, 0);
    EXPECT_EQ(build.err, "");
    EXPECT_EQ(FetchElementOffset(index.c_str(), "CERES"), 204);   // the old index stands
    EXPECT_EQ(Temporaries(index), std::vector<std::string>{});

    std::string cut = records[0] + "\r\n" + records[1].substr(0, 120);
    build = BuildIndex(Write("cut.elm", {cut}, ""), index);
    EXPECT_EQ(build.result, 0);
    EXPECT_EQ(build.err, "");
    EXPECT_EQ(BuildIndex(Path("missing.elm"), index).result, 0);
}

// A link planted where the index or its temporary goes is never followed:
// the file it points at stays as it was, and the index is a file of its own.
TEST_F(ElementFileTest, PlantedLinksAreNeverFollowed)
{
    const std::string file = Write("linked.elm", {Record('M', "1", "", "Ceres")});
    const std::string index = Path("linked.dbm");
    const std::string outside = Path("outside");
    for (const std::string& link : {index + ".$NEW$", index}) {
        SCOPED_TRACE(link);
        unlink(index.c_str());
        WriteFile(outside, "precious\n");
        ASSERT_EQ(chmod(outside.c_str(), 0600), 0);
        ASSERT_EQ(symlink(outside.c_str(), link.c_str()), 0);
        EXPECT_EQ(BuildIndex(file, index).result, 1);
        EXPECT_EQ(ReadFile(outside), "precious\n");
        struct stat info;
        ASSERT_EQ(lstat(index.c_str(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_EQ(FetchElementOffset(index.c_str(), "CERES"), 0);
        unlink((index + ".$NEW$").c_str());
    }
}

// An index made for another file finds nothing in this one rather than the
// wrong object.
TEST_F(ElementFileTest, AStaleIndexFindsNothing)
{
    const std::string old = Write("old.elm", {Record('C', "", "C/1", "Old", "A1"), Record('C', "", "C/2", "Kept", "B2")});
    const std::string index = Path("old.dbm");
    ASSERT_EQ(BuildIndex(old, index).result, 1);
    Write("old.elm", {Record('C', "", "C/3", "New", "C3"), Record('C', "", "C/2", "Kept", "B2")});
    OrbitalElements el;
    EXPECT_EQ(ReadOrbitalElementsAt("A1", el, old.c_str(), index.c_str()), 0);
    EXPECT_EQ(ReadOrbitalElementsAt("B2", el, old.c_str(), index.c_str()), 1);
}

// A FIFO under an element file's name would hold the program in its open:
// it is no element file, for the index nor for a record.
TEST_F(ElementFileTest, FifoIsNoElementFile)
{
    const std::string fifo = Path("fifo.elm");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string index = Path("fifo.dbm");
    EXPECT_TRUE(FinishesWithin(2.0, [&] {
        OrbitalElements el;
        return BuildElementIndex(fifo.c_str(), index.c_str()) == 0 &&
               ReadOrbitalElementsAtOffset(fifo.c_str(), 0, el) == 0;
    }));
}

TEST_F(ElementFileTest, TenRecordsPrintFiftyDotsAsTheyGo)
{
    std::vector<std::string> records;
    for (int i = 0; i < 10; ++i)
        records.push_back(Record('M', std::to_string(i + 1).c_str(), "", "Rock"));
    const Build build = BuildIndex(Write("ten.elm", records), Path("ten.dbm"));
    ASSERT_EQ(build.result, 1);
    EXPECT_EQ(build.out, std::string(50, '.') + "done.\n");
}

TEST_F(ElementFileTest, ScriptOrbitBlockEntries)
{
    const std::string element = HalleyRecord();
    FILE* file = OpenOrbitScript();
    ASSERT_NE(file, nullptr);
    std::vector<ScriptOrbitEntry> entries;
    ReadScriptOrbitBlock(file, entries);
    // In file order, up to the block's end; the file position is kept.
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].label, "Hal");
    EXPECT_EQ(entries[0].line, "not this line\r\n");
    EXPECT_EQ(entries[1].label, "HALLEY");
    EXPECT_EQ(entries[1].line, element + "\r\n");
    EXPECT_EQ(std::ftell(file), 5);
    std::fclose(file);
}

TEST_F(ElementFileTest, ScriptOrbitBlockLookup)
{
    const std::string element = HalleyRecord();
    FILE* file = OpenOrbitScript();
    ASSERT_NE(file, nullptr);
    char line[256];
    // ":Hal" does not match Halley; ":HALLEY" matches halley, and Hal
    // takes its own entry; past END BLOCK nothing is found.
    EXPECT_EQ(FindScriptElementLine(file, "halley", line, sizeof line), 1);
    EXPECT_EQ(std::string(line), element + "\r\n");
    EXPECT_EQ(FindScriptElementLine(file, "Hal", line, sizeof line), 1);
    EXPECT_STREQ(line, "not this line\r\n");
    EXPECT_EQ(FindScriptElementLine(file, "Encke", line, sizeof line), 0);
    EXPECT_EQ(FindScriptElementLine(file, "Hal", line, 6), 1);
    EXPECT_STREQ(line, "not t");   // cut to the buffer
    EXPECT_EQ(std::ftell(file), 5);
    std::fclose(file);
}

// With the reader's record: each name takes the first entry of exactly its
// label not taken yet, else the first whose label begins with it; the block
// is read at the first lookup only.
TEST_F(ElementFileTest, ScriptOrbitLookupTakesEachEntryOnce)
{
    const std::string script = Write("p.stl", {"BLOCK ORBIT", ":PANSTARRS", "first", ":Lemmon-PANSTARRS", "second",
                                               ":panstarrs", "third", ":Lemmon", "fourth", "END BLOCK"});
    FILE* file = std::fopen(script.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    ScriptOrbitLookup lookup;
    char line[64];
    for (const auto& [name, expected] : {std::pair{"PANSTARRS", "first\r\n"}, std::pair{"Lemmon", "fourth\r\n"},
                                         std::pair{"Panstarrs", "third\r\n"}, std::pair{"Lemmon-PAN", "second\r\n"},
                                         std::pair{"PANSTARRS", "first\r\n"}, std::pair{"lemmon", "second\r\n"}}) {
        ASSERT_EQ(FindScriptElementLine(file, name, line, sizeof line, &lookup), 1) << name;
        EXPECT_STREQ(line, expected) << name;
    }
    EXPECT_EQ(FindScriptElementLine(file, "Encke", line, sizeof line, &lookup), 0);
    std::fclose(file);
    // Read once: the record answers without the file.
    EXPECT_EQ(FindScriptElementLine(nullptr, "PANSTARRS", line, sizeof line, &lookup), 1);
    EXPECT_EQ(FindScriptElementLine(nullptr, "PANSTARRS", line, sizeof line), 0);
}

// The lists grow by doubling: 100,000 minor planets take a few dozen
// reallocations, not one per object (which made loading them quadratic).
TEST(SmallBodyLists, GrowByDoubling)
{
    Scene scene{};
    OrbitalElements el;
    ASSERT_EQ(ParseElementLine(el, Record('M', "1", "", "Ceres", "1").c_str()), 1);
    el.perihelionDistance = 95.0;   // no orbit path: only the lists' own allocations
    gReallocCalls = 0;
    for (int i = 0; i < 100000; ++i)
        ASSERT_EQ(AddMinorPlanet(scene, el), 1);
    EXPECT_EQ(scene.mplanetCount, 100000);
    EXPECT_GE(scene.mplanetCapacity, 100000);
    EXPECT_LE(gReallocCalls, 3 * 14);   // 16 doubled 13 times holds 131,072
    EXPECT_EQ(std::strncmp(scene.mplanetElements[99999].sourceLine, el.sourceLine, 205), 0);
    FreeMinorPlanetList(scene);
    EXPECT_EQ(scene.mplanetCapacity, 0);
}

void ExpectEmpty(const Scene& scene)
{
    EXPECT_EQ(scene.cometCount, 0);
    EXPECT_EQ(scene.mplanetCount, 0);
    for (const void* p : {static_cast<const void*>(scene.cometPositions), static_cast<const void*>(scene.cometElements),
                          static_cast<const void*>(scene.cometTails), static_cast<const void*>(scene.cometFlags),
                          static_cast<const void*>(scene.mplanetPositions),
                          static_cast<const void*>(scene.mplanetElements),
                          static_cast<const void*>(scene.mplanetFlags)})
        EXPECT_EQ(p, nullptr);
}

// A failed allocation empties the list of its kind, as freeing does: the
// orbit paths and the arrays are released.
TEST(SmallBodyLists, AddFailAndFree)
{
    Scene scene{};
    OrbitalElements comet, far;
    ASSERT_EQ(ParseElementLine(comet, Record('C', "1P", "", "Halley", "1P").c_str()), 1);
    far = comet;
    far.perihelionDistance = 95.0;
    ASSERT_EQ(AddComet(scene, comet), 1);
    ASSERT_EQ(AddComet(scene, far), 1);
    ASSERT_EQ(AddMinorPlanet(scene, comet), 1);
    EXPECT_EQ(scene.cometCount, 2);
    EXPECT_EQ(scene.cometFlags[0], 0xE2);
    EXPECT_EQ(scene.mplanetFlags[0], 0x22);
    EXPECT_EQ(scene.cometPositions[0].kind, 'C');
    EXPECT_EQ(scene.cometPositions[0].julianDay, 0.0);
    EXPECT_EQ(scene.cometTails[0].dustDay, 0.0);
    EXPECT_EQ(scene.cometTails[0].ionDay, 0.0);
    EXPECT_EQ(scene.cometPositions[0].orbitPointCount, 161);
    EXPECT_NE(scene.cometPositions[0].orbitPath, nullptr);
    EXPECT_EQ(scene.cometPositions[1].orbitPointCount, 0);   // beyond 90 AU: no path
    EXPECT_EQ(scene.cometPositions[1].orbitPath, nullptr);

    // Filled to their room, the lists must grow for the next object.
    while (scene.cometCount < scene.cometCapacity)
        ASSERT_EQ(AddComet(scene, far), 1);
    while (scene.mplanetCount < scene.mplanetCapacity)
        ASSERT_EQ(AddMinorPlanet(scene, far), 1);
    gFailRealloc = true;
    EXPECT_EQ(AddComet(scene, comet), 0);
    EXPECT_EQ(AddMinorPlanet(scene, comet), 0);
    gFailRealloc = false;
    ExpectEmpty(scene);

    ASSERT_EQ(AddComet(scene, comet), 1);
    ASSERT_EQ(AddMinorPlanet(scene, comet), 1);
    FreeCometList(scene);
    FreeMinorPlanetList(scene);
    ExpectEmpty(scene);
}

} // namespace
