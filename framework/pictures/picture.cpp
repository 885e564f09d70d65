#include "framework/pictures/picture.hpp"

#include <QImage>
#include <QString>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "framework/pictures/picture_bitmaps.hpp"
#include "framework/pictures/resources.hpp"

namespace fw {
namespace {

// A picture read from a file: its image, whose pixels are its logical size, and the bitmaps
// that canvases draw it from, that image and any finer drawings of it, coarsest first.
class ImagePicture final : public Picture {
public:
    ImagePicture(QImage image, std::vector<QImage> finer) : image_(std::move(image)), bitmaps_(std::move(finer)) {
        bitmaps_.push_back(image_);
        std::stable_sort(bitmaps_.begin(), bitmaps_.end(), [](const QImage& a, const QImage& b) {
            return a.width() < b.width();
        });
    }
    std::int64_t Width() const override { return image_.width(); }
    std::int64_t Height() const override { return image_.height(); }
    const QImage& Image() const { return image_; }

    const QImage& BitmapFor(QSize devicePixels) const {
        // One pixel short still fits: where the picture's edges fall between device pixels,
        // its device size is rounded either way.
        const auto fits = [&](const QImage& bitmap) {
            return bitmap.width() + 1 >= devicePixels.width() && bitmap.height() + 1 >= devicePixels.height();
        };
        const auto found = std::find_if(bitmaps_.begin(), bitmaps_.end(), fits);
        return found != bitmaps_.end() ? *found : bitmaps_.back();
    }

private:
    QImage image_;
    std::vector<QImage> bitmaps_;
};

QImage LoadImage(const std::filesystem::path& file) {
    std::error_code error;
    QImage image;
    if (std::filesystem::is_regular_file(file, error)) image.load(QString::fromStdU16String(file.u16string()));
    return image;
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The scale in the name of a finer drawing of `picture`, "stem@<scale>x.ext"; 0 for any other name.
double FinerScale(const std::filesystem::path& name, const std::filesystem::path& picture) {
    const std::string text = Utf8(name), stem = Utf8(picture.stem()), extension = Utf8(picture.extension());
    std::string_view scaleText = text;
    if (!scaleText.starts_with(stem)) return 0;
    scaleText.remove_prefix(stem.size());
    if (!scaleText.starts_with('@') || !scaleText.ends_with(extension)) return 0;
    scaleText.remove_prefix(1);
    scaleText.remove_suffix(extension.size());
    if (!scaleText.ends_with('x')) return 0;
    scaleText.remove_suffix(1);
    double scale = 0;
    const char* last = scaleText.data() + scaleText.size();
    const auto [end, failure] = std::from_chars(scaleText.data(), last, scale, std::chars_format::fixed);
    return failure == std::errc() && end == last && scale > 1 ? scale : 0;
}

// The finer drawings that lie beside the picture file `file`.
std::vector<QImage> LoadFinerImages(const std::filesystem::path& file) {
    std::vector<QImage> finer;
    std::error_code error;
    std::filesystem::directory_iterator entry(file.parent_path(), error), end;
    for (; !error && entry != end; entry.increment(error)) {
        const double scale = FinerScale(entry->path().filename(), file.filename());
        if (scale == 0) continue;
        QImage image = LoadImage(entry->path());
        if (image.isNull()) continue;
        image.setDevicePixelRatio(scale);
        finer.push_back(std::move(image));
    }
    return finer;
}

}  // namespace

std::shared_ptr<Picture> ReadPicture(const std::filesystem::path& file) {
    QImage image = LoadImage(file);
    if (image.isNull()) return nullptr;
    return std::make_shared<ImagePicture>(std::move(image), LoadFinerImages(file));
}

namespace detail {
const QImage* NativeImage(const Picture& picture) {
    const auto* image = dynamic_cast<const ImagePicture*>(&picture);
    return image != nullptr ? &image->Image() : nullptr;
}

const QImage* BitmapFor(const Picture& picture, QSize devicePixels) {
    const auto* image = dynamic_cast<const ImagePicture*>(&picture);
    return image != nullptr ? &image->BitmapFor(devicePixels) : nullptr;
}
}  // namespace detail

}  // namespace fw
