#include "tests/support/test_resources.hpp"

#include <memory>

#include "framework/runtime/run.hpp"

namespace fw {
namespace {

TestResources& RunResources() { return dynamic_cast<TestResources&>(*CurrentRun().resources); }

}  // namespace

std::shared_ptr<Picture> TestResources::Find(const std::filesystem::path& bareName) {
    const std::u8string name = bareName.u8string();
    const std::string key(name.begin(), name.end());
    ++lookups[key];
    if (const auto watching = watcher) watching(key);
    return folder.empty() ? Resources::Find(bareName) : ReadPicture(folder / bareName);
}

void SetResourceFolder(const std::filesystem::path& folder) { RunResources().folder = folder; }

std::int64_t ResourceLookupCount(std::string_view fileName) {
    const auto& lookups = RunResources().lookups;
    const auto found = lookups.find(fileName);
    return found == lookups.end() ? 0 : found->second;
}

void BeginRunWithPicturesIn(const std::filesystem::path& folder) {
    auto resources = std::make_unique<TestResources>();
    resources->folder = folder;
    BeginRun({nullptr, nullptr, std::move(resources)});
}

void WatchResourceLookups(std::function<void(std::string_view fileName)> watcher) {
    RunResources().watcher = std::move(watcher);
}

}  // namespace fw
