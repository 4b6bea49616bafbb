// The pictures of the sample click data: every "@IMAGE" of data/uvola.cdf,
// found through the click-data lookups, names a file under data/image/ that
// libjpeg decodes whole, at 240 x 180. The pictures are charts that
// tools/gen_sample_pictures.py draws with the program, so they differ from
// machine to machine and only their form is checked.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "sky/catalog/click_data.h"
#include "sky/text_list.h"
#include "tests/sky/sky_view_fixture.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Decoded {
    bool ok = false;
    unsigned width = 0, height = 0, rows = 0;
    int components = 0;
};

struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->jump, 1);
}

// Decodes a whole file; a damaged one comes back not ok.
Decoded Decode(const std::string& path)
{
    Decoded out;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return out;
    }
    jpeg_decompress_struct info{};
    JumpingErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpBack;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return Decoded{};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(size_t(info.output_width) * size_t(info.output_components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        out.rows += jpeg_read_scanlines(&info, rows, 1);
    }
    out.width = info.output_width;
    out.height = info.output_height;
    out.components = info.output_components;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    out.ok = true;
    return out;
}

TEST(SamplePictures, EveryPictureOfTheSampleClickDataDecodesAt240By180)
{
    auto scene = skytest::MakeScene(skytest::ViewSetup{});
    std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", UVOLA_SOURCE_DIR "/data/uvola.cdf");
    char message[128];
    ASSERT_EQ(LoadClickData(*scene, gAppEnv->clickDataFile, message, sizeof message), 1);
    int pictures = 0;
    for (const ClickDataIndex* entry = scene->clickData; entry->type != -1; ++entry) {
        TextList* list = NewTextList();
        FindClickDataImages(*scene, entry->type, entry->id, list);
        for (const TextPair& pair : list->items) {
            ASSERT_TRUE(pair.first.has_value());
            SCOPED_TRACE(*pair.first);
            EXPECT_TRUE(pair.second.has_value());   // every picture has a title
            const Decoded picture = Decode(UVOLA_SOURCE_DIR "/data/image/" + *pair.first);
            ASSERT_TRUE(picture.ok);
            EXPECT_EQ(picture.width, 240u);
            EXPECT_EQ(picture.height, 180u);
            EXPECT_EQ(picture.rows, 180u);
            EXPECT_EQ(picture.components, 3);
            ++pictures;
        }
        FreeTextList(list);
    }
    EXPECT_EQ(pictures, 8);
    FreeClickData(*scene);
}

}  // namespace
