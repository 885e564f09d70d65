#include "framework/picture.hpp"

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <system_error>
#include <utility>

#include "framework/native.hpp"
#include "framework/runtime_state.hpp"

namespace fw {
namespace {

// A picture read from a file, held as an image that canvases paint.
class ImagePicture final : public Picture {
public:
    explicit ImagePicture(QImage image) : image_(std::move(image)) {}
    std::int64_t Width() const override { return image_.width(); }
    std::int64_t Height() const override { return image_.height(); }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

std::filesystem::path& ResourceFolderOverride() {
    static std::filesystem::path folder;
    return folder;
}

std::map<std::string, std::int64_t, std::less<>>& LookupCounts() {
    static std::map<std::string, std::int64_t, std::less<>> counts;
    return counts;
}

std::filesystem::path ExecutableFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
    }
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

// A name that names a file in the folder itself, never one elsewhere.
bool IsBareFileName(const std::filesystem::path& name) {
    return !name.empty() && name == name.filename() && name != "." && name != "..";
}

std::shared_ptr<Picture> LoadPicture(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return nullptr;
    QImage image;
    if (!image.load(QString::fromStdU16String(file.u16string())) || image.isNull()) return nullptr;
    return std::make_shared<ImagePicture>(std::move(image));
}

}  // namespace

std::shared_ptr<Picture> GetPictureFromResourceManager(std::string_view fileName) {
    auto& counts = LookupCounts();
    auto count = counts.find(fileName);
    if (count == counts.end()) count = counts.emplace(std::string(fileName), 0).first;
    ++count->second;

    const auto name = std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
    if (fileName.find('\\') != std::string_view::npos || !IsBareFileName(name)) return nullptr;

    if (!ResourceFolderOverride().empty()) return LoadPicture(ResourceFolderOverride() / name);
    const std::filesystem::path folder = ExecutableFolder();
    if (folder.empty()) return nullptr;
    if (auto picture = LoadPicture(folder / "resources" / name)) return picture;
    return LoadPicture(folder / name);
}

void SetResourceFolder(const std::filesystem::path& folder) { ResourceFolderOverride() = folder; }

void detail::ForgetResourceLookups() { LookupCounts().clear(); }

std::int64_t ResourceLookupCount(std::string_view fileName) {
    const auto& counts = LookupCounts();
    const auto count = counts.find(fileName);
    return count == counts.end() ? 0 : count->second;
}

namespace detail {
const QImage* NativeImage(const Picture& picture) {
    const auto* image = dynamic_cast<const ImagePicture*>(&picture);
    return image != nullptr ? &image->Image() : nullptr;
}
}  // namespace detail

}  // namespace fw
