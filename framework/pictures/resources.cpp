#include "framework/pictures/resources.hpp"

#include <QCoreApplication>

#include <string>
#include <system_error>

#include "framework/runtime/run.hpp"

namespace fw {
namespace {

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

}  // namespace

std::shared_ptr<Picture> Resources::Find(const std::filesystem::path& bareName) {
    const std::filesystem::path folder = ExecutableFolder();
    if (folder.empty()) return nullptr;
    if (auto picture = ReadPicture(folder / "resources" / bareName)) return picture;
    return ReadPicture(folder / bareName);
}

std::shared_ptr<Picture> GetPictureFromResourceManager(std::string_view fileName) {
    const auto name = std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
    if (fileName.find('\\') != std::string_view::npos || !IsBareFileName(name)) return nullptr;
    return CurrentRun().resources->Find(name);
}

}  // namespace fw
