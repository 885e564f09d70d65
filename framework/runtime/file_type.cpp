// File types and the framework's registry of the registered ones.
#include "framework/runtime/file_type.hpp"

#include <algorithm>
#include <utility>

#include "framework/runtime/run.hpp"


namespace fw {
namespace {

// The run is never destroyed: a type held by a static of the program may withdraw itself at
// exit, after every ordinary static of the framework has gone.
std::vector<FileTypeRegistration>& Registry() { return CurrentRun().fileTypes; }

}  // namespace

const std::vector<FileTypeRegistration>& RegisteredFileTypes() { return Registry(); }

FileType::~FileType() { Withdraw(); }

void FileType::Withdraw() {
    if (!registered_) return;
    std::erase_if(Registry(), [this](const FileTypeRegistration& r) { return r.type == this; });
    registered_ = false;
}

std::string FileType::ToText() {
    if (!registered_) {
        Registry().push_back({this, name_, macCreator_, macType_, extensions_, uti_});
        registered_ = true;
    }
    return name_;
}

void FileType::SetName(std::string value) {
    Withdraw();
    name_ = std::move(value);
}

void FileType::SetExtensions(std::string value) {
    Withdraw();
    extensions_ = std::move(value);
}

void FileType::SetMacType(std::string value) {
    Withdraw();
    macType_ = std::move(value);
}

void FileType::SetMacCreator(std::string value) {
    Withdraw();
    macCreator_ = std::move(value);
}

void FileType::SetMimeType(std::string value) {
    Withdraw();
    mimeType_ = std::move(value);
}

void FileType::SetImported(bool value) {
    Withdraw();
    imported_ = value;
}

void FileType::SetConformsTo(std::string value) {
    Withdraw();
    conformsTo_ = std::move(value);
}

}  // namespace fw
