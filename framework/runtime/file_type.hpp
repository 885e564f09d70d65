#pragma once
// File types declared to the framework. Converting a type to text registers it (once);
// changing a property of a registered type withdraws its registration first.
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class FileType {
public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string value);
    const std::string& Extensions() const { return extensions_; }
    void SetExtensions(std::string value);
    const std::string& MacType() const { return macType_; }
    void SetMacType(std::string value);
    const std::string& MacCreator() const { return macCreator_; }
    void SetMacCreator(std::string value);
    const std::string& MimeType() const { return mimeType_; }
    void SetMimeType(std::string value);
    bool Imported() const { return imported_; }
    void SetImported(bool value);
    const std::string& ConformsTo() const { return conformsTo_; }
    void SetConformsTo(std::string value);
    const std::string& UTI() const { return uti_; }

    // `Operator_Convert`: registers the type when it is not registered; gives its Name.
    std::string ToText();
    bool IsRegistered() const { return registered_; }

private:
    void Withdraw();

    std::string name_, extensions_, macType_, macCreator_, mimeType_, conformsTo_, uti_;
    bool imported_ = false;
    bool registered_ = false;
};

// What the framework's registry holds for one registered type, in the order passed.
struct FileTypeRegistration {
    const FileType* type;
    std::string name, macCreator, macType, extensions, uti;
};
const std::vector<FileTypeRegistration>& RegisteredFileTypes();

}  // namespace fw
