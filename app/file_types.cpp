#include "app/file_types.hpp"

#include "framework/text/exceptions.hpp"

namespace FileTypes {

std::vector<std::shared_ptr<fw::FileType>> pAllFileTypes;
std::shared_ptr<fw::FileType> pText;
std::shared_ptr<fw::FileType> pUntitledType;

std::shared_ptr<fw::FileType> Text() { return pText; }
std::shared_ptr<fw::FileType> UntitledType() { return pUntitledType; }

void Initialize() {
    pText = std::make_shared<fw::FileType>();
    fw::NotNil(pText.get()).SetName("text");
    fw::NotNil(pText.get()).SetExtensions("");
    fw::NotNil(pText.get()).SetMacType("TEXT");
    fw::NotNil(pText.get()).SetMacCreator("R*ch");
    fw::NotNil(pText.get()).SetMimeType("");
    fw::NotNil(pText.get()).SetImported(true);
    fw::NotNil(pText.get()).SetConformsTo("");
    pAllFileTypes.push_back(pText);
    fw::NotNil(Text().get()).ToText();  // the conversion registers the type

    pUntitledType = std::make_shared<fw::FileType>();
    fw::NotNil(pUntitledType.get()).SetName("");
    fw::NotNil(pUntitledType.get()).SetExtensions("");
    fw::NotNil(pUntitledType.get()).SetMacType("");
    fw::NotNil(pUntitledType.get()).SetMacCreator("");
    fw::NotNil(pUntitledType.get()).SetMimeType("");
    fw::NotNil(pUntitledType.get()).SetImported(true);
    fw::NotNil(pUntitledType.get()).SetConformsTo("");
    pAllFileTypes.push_back(pUntitledType);
    fw::NotNil(UntitledType().get()).ToText();
}

}  // namespace FileTypes
