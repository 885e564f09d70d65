// The two picture accessors: one lookup once a picture is found, a new lookup on every use
// while none is, and the real picture files. Every test starts clean (the test main sees to
// it), so every accessor starts unused.
#include "frame/pictures.hpp"

#include <QImage>
#include <QSize>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <cmath>
#include <fstream>
#include <memory>

#include "framework/pictures/picture.hpp"
#include "framework/pictures/picture_bitmaps.hpp"
#include "tests/support/test_resources.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path kResources = ORV_RESOURCES_DIR;

// A folder of the test's own, where the lookup looks instead of beside the executable.
class PictureFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        fw::SetResourceFolder(Folder());
    }
    void TearDown() override { fw::SetResourceFolder({}); }

    fs::path Folder() const { return fs::path(folder_.path().toStdString()); }
    // Puts the real picture `source` into the folder under the name `as`.
    void Put(const char* source, const char* as) const {
        fs::copy_file(kResources / source, Folder() / as, fs::copy_options::overwrite_existing);
    }

private:
    QTemporaryDir folder_;
};

TEST_F(PictureFolder, PresentPictureIsLookedUpOnceAndSharedByEveryCaller) {
    Put("D2.png", "D2.png");
    const std::shared_ptr<fw::Picture> first = D2();
    const std::shared_ptr<fw::Picture> second = D2();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(fw::ResourceLookupCount("D2.png"), 1);
}

TEST_F(PictureFolder, AbsentPictureIsLookedUpAgainOnEveryUse) {
    EXPECT_EQ(D2(), nullptr);
    EXPECT_EQ(D2(), nullptr);
    EXPECT_EQ(D2(), nullptr);
    EXPECT_EQ(fw::ResourceLookupCount("D2.png"), 3);
}

TEST_F(PictureFolder, PictureThatAppearsLaterIsFoundOnTheNextUse) {
    EXPECT_EQ(QuestMoss1(), nullptr);
    // A file of that name that is no picture is not one.
    std::ofstream(Folder() / "QuestMoss1.png") << "not a picture";
    EXPECT_EQ(QuestMoss1(), nullptr);
    Put("QuestMoss1.png", "QuestMoss1.png");
    const std::shared_ptr<fw::Picture> found = QuestMoss1();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Width(), 33);
    EXPECT_EQ(QuestMoss1(), found);
    EXPECT_EQ(fw::ResourceLookupCount("QuestMoss1.png"), 3);
}

TEST_F(PictureFolder, FoundPictureStaysWhenItsFileChangesOrGoes) {
    Put("D2.png", "D2.png");
    const std::shared_ptr<fw::Picture> found = D2();
    ASSERT_NE(found, nullptr);

    Put("QuestMoss1.png", "D2.png");
    EXPECT_EQ(D2(), found);
    fs::remove(Folder() / "D2.png");
    const std::shared_ptr<fw::Picture> after = D2();
    EXPECT_EQ(after, found);
    EXPECT_EQ(after->Width(), 122);
    EXPECT_EQ(after->Height(), 130);
    EXPECT_EQ(fw::ResourceLookupCount("D2.png"), 1);
}

TEST_F(PictureFolder, TheTwoAccessorsAreIndependent) {
    Put("D2.png", "D2.png");
    ASSERT_NE(D2(), nullptr);
    EXPECT_EQ(QuestMoss1(), nullptr);
    EXPECT_EQ(QuestMoss1(), nullptr);
    Put("QuestMoss1.png", "QuestMoss1.png");
    const std::shared_ptr<fw::Picture> help = QuestMoss1();
    ASSERT_NE(help, nullptr);
    EXPECT_NE(help, D2());
    EXPECT_EQ(fw::ResourceLookupCount("D2.png"), 1);
    EXPECT_EQ(fw::ResourceLookupCount("QuestMoss1.png"), 3);
}

TEST_F(PictureFolder, LookupTakesOnlyBareFileNames) {
    fs::create_directory(Folder() / "inner");
    fs::copy_file(kResources / "D2.png", Folder() / "inner" / "D2.png");
    Put("D2.png", "D2.png");
    EXPECT_EQ(fw::GetPictureFromResourceManager("inner/D2.png"), nullptr);
    EXPECT_EQ(fw::GetPictureFromResourceManager("../" + Folder().filename().string() + "/D2.png"), nullptr);
    EXPECT_EQ(fw::GetPictureFromResourceManager("inner"), nullptr);
    EXPECT_EQ(fw::GetPictureFromResourceManager(""), nullptr);
    EXPECT_NE(fw::GetPictureFromResourceManager("D2.png"), nullptr);
}

TEST_F(PictureFolder, FinerDrawingsBesideThePictureServeDevicesOfMorePixels) {
    Put("D2.png", "D2.png");
    Put("D2@2x.png", "D2@2x.png");
    Put("D2@1.5x.png", "D2@1.5x.png");
    // Files whose names make them no finer drawing of D2.png.
    Put("D2@1.25x.png", "D2@0.5x.png");
    Put("D2@1.25x.png", "D2@abcx.png");
    Put("D2@1.25x.png", "D22@1.25x.png");
    Put("D2@1.75x.png", "D2@1.75x.jpg");
    std::ofstream(Folder() / "D2@3x.png") << "not a picture";

    const std::shared_ptr<fw::Picture> picture = fw::GetPictureFromResourceManager("D2.png");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 122);
    EXPECT_EQ(picture->Height(), 130);
    // The device pixels the picture covers, and the width of the bitmap it is drawn from.
    const struct {
        QSize device;
        int width;
    } cases[] = {
        {{110, 117}, 122}, {{122, 130}, 122}, {{123, 131}, 122}, {{124, 130}, 183}, {{153, 163}, 183},
        {{183, 195}, 183}, {{184, 196}, 183}, {{214, 228}, 244}, {{244, 260}, 244}, {{400, 400}, 244},
    };
    for (const auto& c : cases) {
        const QImage* bitmap = fw::detail::BitmapFor(*picture, c.device);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->width(), c.width) << c.device.width() << " x " << c.device.height();
    }
}

TEST(Pictures, RealFilesLoadWithTheirSizes) {
    fw::SetResourceFolder(kResources);
    const std::shared_ptr<fw::Picture> emblem = D2();
    const std::shared_ptr<fw::Picture> help = QuestMoss1();
    fw::SetResourceFolder({});
    ASSERT_NE(emblem, nullptr);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(emblem->Width(), 122);
    EXPECT_EQ(emblem->Height(), 130);
    EXPECT_EQ(help->Width(), 33);
    EXPECT_EQ(help->Height(), 48);

    // The canvases paint the image behind the picture: transparent corners, an opaque middle.
    const QImage* image = fw::detail::NativeImage(*emblem);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(qAlpha(image->pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image->pixel(61, 65)), 255);
}

TEST(Pictures, RealFilesAreDrawnAgainForEveryQuarterStepOfScaleUpToTwo) {
    fw::SetResourceFolder(kResources);
    const auto pictures = {fw::GetPictureFromResourceManager("D2.png"),
                           fw::GetPictureFromResourceManager("QuestMoss1.png")};
    fw::SetResourceFolder({});
    for (const auto& picture : pictures) {
        ASSERT_NE(picture, nullptr);
        for (const double scale : {1.25, 1.5, 1.75, 2.0}) {
            const QSize device(static_cast<int>(std::ceil(picture->Width() * scale)),
                               static_cast<int>(std::ceil(picture->Height() * scale)));
            EXPECT_EQ(fw::detail::BitmapFor(*picture, device)->size(), device)
                << picture->Width() << " x " << picture->Height() << " at " << scale;
        }
    }
}

}  // namespace
