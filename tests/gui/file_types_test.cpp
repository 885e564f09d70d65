// The file-type set made at start-up, and the framework's rules for registering a type.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/file_types.hpp"
#include "framework/runtime/file_type.hpp"

namespace {

const fw::FileTypeRegistration* RegistrationOf(const fw::FileType& type) {
    for (const auto& registration : fw::RegisteredFileTypes()) {
        if (registration.type == &type) return &registration;
    }
    return nullptr;
}

long CountRegistrations(const fw::FileType& type) {
    const auto& all = fw::RegisteredFileTypes();
    return std::count_if(all.begin(), all.end(), [&](const auto& r) { return r.type == &type; });
}

TEST(FileTypes, InitializeMakesListsAndRegistersTheTextTypeThenTheBlankType) {
    EXPECT_TRUE(FileTypes::pAllFileTypes.empty());
    EXPECT_EQ(FileTypes::Text(), nullptr);
    EXPECT_EQ(FileTypes::UntitledType(), nullptr);

    FileTypes::Initialize();

    ASSERT_EQ(FileTypes::pAllFileTypes.size(), 2u);
    EXPECT_EQ(FileTypes::pAllFileTypes[0], FileTypes::pText);
    EXPECT_EQ(FileTypes::pAllFileTypes[1], FileTypes::pUntitledType);
    EXPECT_EQ(FileTypes::Text(), FileTypes::pText);
    EXPECT_EQ(FileTypes::UntitledType(), FileTypes::pUntitledType);

    const fw::FileType& text = *FileTypes::pText;
    EXPECT_EQ(text.Name(), "text");
    EXPECT_EQ(text.Extensions(), "");
    EXPECT_EQ(text.MacType(), "TEXT");
    EXPECT_EQ(text.MacCreator(), "R*ch");
    EXPECT_EQ(text.MimeType(), "");
    EXPECT_TRUE(text.Imported());
    EXPECT_EQ(text.ConformsTo(), "");
    const fw::FileType& blank = *FileTypes::pUntitledType;
    for (const std::string* value : {&blank.Name(), &blank.Extensions(), &blank.MacType(),
                                     &blank.MacCreator(), &blank.MimeType(), &blank.ConformsTo()}) {
        EXPECT_EQ(*value, "");
    }
    EXPECT_TRUE(blank.Imported());

    // Each registered once, with its final values, the text type first.
    const auto& registered = fw::RegisteredFileTypes();
    ASSERT_EQ(registered.size(), 2u);
    EXPECT_EQ(registered[0].type, &text);
    EXPECT_EQ(registered[0].name, "text");
    EXPECT_EQ(registered[0].macCreator, "R*ch");
    EXPECT_EQ(registered[0].macType, "TEXT");
    EXPECT_EQ(registered[0].extensions, "");
    EXPECT_EQ(registered[1].type, &blank);
    EXPECT_EQ(registered[1].name, "");

    EXPECT_EQ(FileTypes::pText->ToText(), "text");
    EXPECT_EQ(FileTypes::pUntitledType->ToText(), "");
    EXPECT_EQ(fw::RegisteredFileTypes().size(), 2u);
}

TEST(FileType, ConvertingRegistersOnceAndGivesTheName) {
    fw::FileType type;
    type.SetName("notes");
    type.SetMacCreator("ab*c");
    type.SetMacType("NOTE");
    type.SetExtensions("txt;md");
    EXPECT_FALSE(type.IsRegistered());
    EXPECT_EQ(RegistrationOf(type), nullptr);

    EXPECT_EQ(type.ToText(), "notes");
    EXPECT_EQ(type.ToText(), "notes");
    EXPECT_TRUE(type.IsRegistered());
    EXPECT_EQ(CountRegistrations(type), 1);
    const auto* registration = RegistrationOf(type);
    EXPECT_EQ(registration->name, "notes");
    EXPECT_EQ(registration->macCreator, "ab*c");
    EXPECT_EQ(registration->macType, "NOTE");
    EXPECT_EQ(registration->extensions, "txt;md");
    EXPECT_EQ(registration->uti, type.UTI());
}

// Every setter withdraws a registration first; the next conversion registers the new values.
TEST(FileType, ChangingARegisteredTypeWithdrawsItsRegistration) {
    struct Case {
        const char* property;
        std::function<void(fw::FileType&)> change;
        std::function<std::string(const fw::FileTypeRegistration&)> registered;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"Name", [](fw::FileType& t) { t.SetName("renamed"); },
         [](const auto& r) { return r.name; }, "renamed"},
        {"Extensions", [](fw::FileType& t) { t.SetExtensions("csv"); },
         [](const auto& r) { return r.extensions; }, "csv"},
        {"MacType", [](fw::FileType& t) { t.SetMacType("CSV "); },
         [](const auto& r) { return r.macType; }, "CSV "},
        {"MacCreator", [](fw::FileType& t) { t.SetMacCreator("xyz!"); },
         [](const auto& r) { return r.macCreator; }, "xyz!"},
        {"MimeType", [](fw::FileType& t) { t.SetMimeType("text/csv"); },
         [](const auto& r) { return r.name; }, "table"},
        {"Imported", [](fw::FileType& t) { t.SetImported(false); },
         [](const auto& r) { return r.name; }, "table"},
        {"ConformsTo", [](fw::FileType& t) { t.SetConformsTo("public.text"); },
         [](const auto& r) { return r.name; }, "table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.property);
        fw::FileType type;
        type.SetName("table");
        type.ToText();
        ASSERT_TRUE(type.IsRegistered());

        c.change(type);
        EXPECT_FALSE(type.IsRegistered());
        EXPECT_EQ(RegistrationOf(type), nullptr);

        type.ToText();
        EXPECT_EQ(CountRegistrations(type), 1);
        EXPECT_EQ(c.registered(*RegistrationOf(type)), c.expected);
    }
}

TEST(FileType, ATypeThatGoesAwayLeavesTheRegistry) {
    const auto before = fw::RegisteredFileTypes().size();
    {
        fw::FileType type;
        type.SetName("short-lived");
        type.ToText();
        EXPECT_EQ(fw::RegisteredFileTypes().size(), before + 1);
    }
    EXPECT_EQ(fw::RegisteredFileTypes().size(), before);
}

}  // namespace
