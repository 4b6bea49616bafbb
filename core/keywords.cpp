#include "core/keywords.h"

#include "core/string_utils.h"
#include "core/view_modes.h"

#include <cstring>

const KeywordEntry TimeSystemKeywordTable[] = {
    {"LST", 0},
    {"UT", 1},
    {"LMT", 2},
    {nullptr, 0},
};

const KeywordEntry ModeKeywordTable[] = {
    {"HRZ", kModeHrz},
    {"EQT", kModeEqt},
    {"ECL", kModeEcl},
    {"GAL", kModeGal},
    {"SOL1", kModeSol1},
    {"SOL2", kModeSol2},
    {"SOL3", kModeSol3},
    {"VOLA", kModeVola},
    {"ALL1_EQT", kModeAll1Eqt},
    {"ALL1_ECL", kModeAll1Ecl},
    {"ALL1_GAL", kModeAll1Gal},
    {"ALL2_EQT", kModeAll2Eqt},
    {"ALL2_ECL", kModeAll2Ecl},
    {"ALL2_GAL", kModeAll2Gal},
    {nullptr, 0},
};

const KeywordEntry GridKeywordTable[] = {
    {"NORMAL", 0},
    {"MODE1", 1},
    {"MODE2", 2},
    {"MODE3", 3},
    {nullptr, 0},
};

const KeywordEntry FileTypeKeywordTable[] = {
    {"AD", 5},
    {"CLICKDATA", 7},
    {nullptr, 0},
};

// Most English keywords are followed by their Japanese alias, written as
// EUC-JP bytes with the Japanese in the comment. Where two keywords share a
// value, the reverse lookup gives the first, so the order matters.
const KeywordEntry ObjectKeywordTable[] = {
    // Jovian satellites
    {"JMOON", 0x0501},
    {"\xA5\xAC\xA5\xEA\xA5\xEC\xA5\xAA\xB1\xD2\xC0\xB1", 0x0501},                  // ガリレオ衛星
    {"JMOON_NAME", 0x0502},
    {"\xA5\xAC\xA5\xEA\xA5\xEC\xA5\xAA\xB1\xD2\xC0\xB1\xCC\xBE", 0x0502},          // ガリレオ衛星名
    {"JMOON_NO", 0x0504},
    {"\xA5\xAC\xA5\xEA\xA5\xEC\xA5\xAA\xB1\xD2\xC0\xB1\xC8\xD6\xB9\xE6", 0x0504},  // ガリレオ衛星番号
    // Stars
    {"STAR", 0x0A01},
    {"\xB9\xB1\xC0\xB1", 0x0A01},                                                  // 恒星
    // Star labels
    {"STARNAME_J", 0x1901},
    {"\xB9\xB1\xC0\xB1\xCF\xC2\xCC\xBE", 0x1901},                                  // 恒星和名
    {"STARNAME", 0x1901},
    {"\xB9\xB1\xC0\xB1\xB8\xC7\xCD\xAD\xCC\xBE", 0x1901},                          // 恒星固有名
    {"BAYER", 0x1902},
    {"\xA5\xD0\xA5\xA4\xA5\xA8\xA5\xEB\xCC\xBE", 0x1902},                          // バイエル名
    {"FLAMSTEED", 0x1904},
    {"\xA5\xD5\xA5\xE9\xA5\xE0\xA5\xB9\xA5\xC1\xA1\xBC\xA5\xC9\xCC\xBE", 0x1904},  // フラムスチード名
    {"STAR_MAG", 0x1908},
    {"\xB9\xB1\xC0\xB1\xC5\xF9\xB5\xE9", 0x1908},                                  // 恒星等級
    {"VARIABLE", 0x1910},
    {"\xCA\xD1\xB8\xF7\xC0\xB1\xCC\xBE", 0x1910},                                  // 変光星名
    // Milky Way
    {"MILKYWAY", 0x1A04},
    {"\xC5\xB7\xA4\xCE\xC0\xEE", 0x1A04},                                          // 天の川
    // Nebulae; NEBULA and NEBULA_NAME stand twice, each with another alias
    {"NEBULA", 0x0C01},
    {"\xC0\xB1\xB1\xC0\xC3\xC4", 0x0C01},                                          // 星雲団
    {"NEBULA_NAME", 0x0C02},
    {"\xC0\xB1\xB1\xC0\xC3\xC4\xCC\xBE", 0x0C02},                                  // 星雲団名
    {"NEBULA", 0x0C01},
    {"\xC0\xB1\xB1\xC0\xC0\xB1\xC3\xC4", 0x0C01},                                  // 星雲星団
    {"NEBULA_NAME", 0x0C02},
    {"\xC0\xB1\xB1\xC0\xC0\xB1\xC3\xC4\xCC\xBE", 0x0C02},                          // 星雲星団名
    {"NEBULA_LINE", 0x0C08},
    {"\xC0\xB1\xB1\xC0\xC0\xFE", 0x0C08},                                          // 星雲線
    {"NEBULA_MAG", 0x0C04},
    {"\xC0\xB1\xB1\xC0\xC5\xF9\xB5\xE9", 0x0C04},                                  // 星雲等級
    // Nebula types
    {"PLANETARY", 0x0D01},
    {"\xCF\xC7\xC0\xB1\xBE\xF5\xC0\xB1\xB1\xC0", 0x0D01},                          // 惑星状星雲
    {"DIFFUSE", 0x0D02},
    {"\xBB\xB6\xB8\xF7\xC0\xB1\xB1\xC0", 0x0D02},                                  // 散光星雲
    {"GLOBE", 0x0D08},
    {"\xB5\xE5\xBE\xF5\xC0\xB1\xC3\xC4", 0x0D08},                                  // 球状星団
    {"OPEN", 0x0D10},
    {"\xBB\xB6\xB3\xAB\xC0\xB1\xC3\xC4", 0x0D10},                                  // 散開星団
    {"GALAXY", 0x0D20},
    {"\xB6\xE4\xB2\xCF", 0x0D20},                                                  // 銀河
    {"COMPOUND", 0x0D40},
    {"\xC0\xB1\xC3\xC4\xA1\xDC\xC0\xB1\xB1\xC0", 0x0D40},                          // 星団＋星雲
    // Nebula catalogues
    {"MESSIER", 0x0E01},
    {"\xA5\xE1\xA5\xB7\xA5\xA8", 0x0E01},                                          // メシエ
    {"NGC", 0x0E02},
    {"IC", 0x0E04},
    // Constellations
    {"CONS_NAME1", 0x0B01},
    {"\xC0\xB1\xBA\xC2\xCC\xBE" "1", 0x0B01},                                      // 星座名1
    {"CONS_NAME2", 0x0B02},
    {"\xC0\xB1\xBA\xC2\xCC\xBE" "2", 0x0B02},                                      // 星座名2
    {"CONS_LINE", 0x0B08},
    {"\xC0\xB1\xBA\xC2\xC0\xFE", 0x0B08},                                          // 星座線
    {"CONS_PICT", 0x0B10},
    {"\xC0\xB1\xBA\xC2\xB3\xA8", 0x0B10},                                          // 星座絵
    {"CONS_LIMIT", 0x0B20},
    {"\xC0\xB1\xBA\xC2\xB6\xAD\xB3\xA6\xC0\xFE", 0x0B20},                          // 星座境界線
    // Sky and ground
    {"DAYLIGHT", 0x0F01},
    {"\xC3\xEB\xB8\xF7", 0x0F01},                                                  // 昼光
    {"TWILIGHT", 0x0F02},
    {"\xCD\xBC\xBE\xC6\xA4\xB1", 0x0F02},                                          // 夕焼け
    {"GROUNDLIGHT", 0x0F02},
    {"\xC3\xCF\xBE\xE5\xB8\xF7", 0x0F02},                                          // 地上光
    {"LANDSCAPE", 0x0F04},
    {"\xC3\xCF\xBE\xE5\xC9\xF7\xB7\xCA", 0x0F04},                                  // 地上風景
    {"METEOR", 0x0F08},
    {"\xCE\xAE\xC0\xB1", 0x0F08},                                                  // 流星
    {"SWMETEOR", 0x0F10},
    {"\xB7\xB2\xCE\xAE\xC0\xB1", 0x0F10},                                          // 群流星
    {"SCMETEOR", 0x0F20},
    {"\xBB\xB6\xBA\xDF\xCE\xAE\xC0\xB1", 0x0F20},                                  // 散在流星
    {"HORIZON", 0x0F40},
    {"\xC3\xCF\xCA\xBF\xC0\xFE", 0x0F40},                                          // 地平線
    // Horizontal grid
    {"HRZ_GRID", 0x1101},
    {"\xB9\xE2\xC5\xD9\xCA\xFD\xB0\xCC\xC0\xFE", 0x1101},                          // 高度方位線
    {"DIR", 0x1102},
    {"\xCA\xFD\xB0\xCC", 0x1102},                                                  // 方位
    {"MERIDIAN", 0x1104},
    {"\xBB\xD2\xB8\xE1\xC0\xFE", 0x1104},                                          // 子午線
    // Grid numbers; the low two bits of this byte hold the grid style
    {"HRZ_GRID_NUM", 0x1004},
    {"EQT_GRID_2000_NUM", 0x1008},
    {"EQT_GRID_1950_NUM", 0x1010},
    {"EQT_GRID_DATE_NUM", 0x1020},
    {"ECL_GRID_NUM", 0x1040},
    {"GAL_GRID_NUM", 0x1080},
    // Equatorial grids and equators
    {"EQT_GRID_2000", 0x1201},
    {"\xC0\xD6\xB7\xD0\xB0\xDE\xC0\xFE" "_2000", 0x1201},                          // 赤経緯線_2000
    {"EQT_GRID_1950", 0x1202},
    {"\xC0\xD6\xB7\xD0\xB0\xDE\xC0\xFE" "_1950", 0x1202},                          // 赤経緯線_1950
    {"EQT_GRID_DATE", 0x1204},
    {"\xC0\xD6\xB7\xD0\xB0\xDE\xC0\xFE" "_DATE", 0x1204},                          // 赤経緯線_DATE
    {"EQT_2000", 0x1208},
    {"\xC0\xD6\xC6\xBB" "_2000", 0x1208},                                          // 赤道_2000
    {"EQT_1950", 0x1210},
    {"\xC0\xD6\xC6\xBB" "_1950", 0x1210},                                          // 赤道_1950
    {"EQT_DATE", 0x1220},
    {"\xC0\xD6\xC6\xBB" "_DATE", 0x1220},                                          // 赤道_DATE
    // Ecliptic, galactic, solar-system axes, window centre
    {"ECL_GRID", 0x1301},
    {"\xB2\xAB\xB7\xD0\xB0\xDE\xC0\xFE", 0x1301},                                  // 黄経緯線
    {"ECL", 0x1302},
    {"\xB2\xAB\xC6\xBB", 0x1302},                                                  // 黄道
    {"GAL_GRID", 0x1304},
    {"\xB6\xE4\xB2\xCF\xB7\xD0\xB0\xDE\xC0\xFE", 0x1304},                          // 銀河経緯線
    {"GAL", 0x1308},
    {"\xB6\xE4\xB2\xCF\xC0\xD6\xC6\xBB", 0x1308},                                  // 銀河赤道
    {"SOL_GRID", 0x1310},
    {"\xC2\xC0\xCD\xDB\xB7\xCF\xBA\xC2\xC9\xB8\xBC\xB4", 0x1310},                  // 太陽系座標軸
    {"WINDOW_CENTER", 0x1320},
    {"\xA5\xA6\xA5\xA3\xA5\xF3\xA5\xC9\xA5\xA6\xC3\xE6\xB1\xFB", 0x1320},          // ウィンドウ中央
    // Line numbers
    {"MRD_NUM", 0x1401},
    {"EQT_2000_NUM", 0x1402},
    {"EQT_1950_NUM", 0x1404},
    {"EQT_DATE_NUM", 0x1408},
    {"ECL_NUM", 0x1410},
    {"GAL_NUM", 0x1420},
    // View circle, image marks, photographic field (no flag byte)
    {"VIEW_CIRCLE", 0x1B01},
    {"\xBB\xEB\xCC\xEE\xB1\xDF", 0x1B01},                                          // 視野円
    {"IMAGE_MARK", 0x1B04},
    {"\xB2\xE8\xC1\xFC\xA5\xDE\xA1\xBC\xA5\xAF", 0x1B04},                          // 画像マーク
    {"VIEW_PHOTO", 0x1B02},
    {"\xBC\xCC\xCC\xEE", 0x1B02},                                                  // 写野
    // User objects
    {"AD", 0x1701},
    {"AD_NAME", 0x1702},
    {"CD", 0x1704},
    // Sky marks
    {"SKYMARK", 0x1C01},
    {"SKYMARK_NAME", 0x1C02},
    // Picture marks
    {"PICTUREMARK", 0x1D01},
    // Trace: earlier drawings are kept
    {"TRACE", 0x1601},
    {"FULLOW", 0x1601},
    {"\xB8\xF7\xC0\xD7", 0x1601},                                                  // 光跡
    // Menu bar, toolbar, step box (no flag byte)
    {"MENUBAR", 0x1501},
    {"TOOLBOX", 0x1502},
    {"TOOLBAR", 0x1502},
    {"STEPBOX", 0x1504},
    {"CTRLMENU", 0x1504},
    // Status bar
    {"STATUSBAR", 0x1801},
    {nullptr, 0},
};

int StkLookupKeyword(char* argument, const KeywordEntry* table, int32_t& value)
{
    if (argument == nullptr) {
        return 0;
    }
    AsciiUpperText(argument);
    for (const KeywordEntry* entry = table; entry->keyword != nullptr; ++entry) {
        if (std::strcmp(argument, entry->keyword) == 0) {
            value = entry->value;
            return 1;
        }
    }
    return 0;
}

int StkMatchWord(const char* word, const KeywordEntry* table, int32_t& value)
{
    for (const KeywordEntry* entry = table; word != nullptr && entry->keyword != nullptr; ++entry) {
        if (AsciiCaseEqual(word, entry->keyword) != 0) {
            value = entry->value;
            return 1;
        }
    }
    return 0;
}

const char* StkKeywordName(const KeywordEntry* table, int32_t value)
{
    for (const KeywordEntry* entry = table; entry->keyword != nullptr; ++entry) {
        if (entry->value == value) {
            return entry->keyword;
        }
    }
    return nullptr;
}
