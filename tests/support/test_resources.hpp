#pragma once
// Where a test's run finds its pictures: beside the executable as in the program, or in a
// folder the test chose; and how many times each name was looked up.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "framework/pictures/resources.hpp"

namespace fw {

class TestResources final : public Resources {
public:
    std::shared_ptr<Picture> Find(const std::filesystem::path& bareName) override;

    std::filesystem::path folder;  // empty: beside the executable
    std::map<std::string, std::int64_t, std::less<>> lookups;
    std::function<void(std::string_view fileName)> watcher;
};

// Points the lookup at `folder`; an empty path restores the program's places.
void SetResourceFolder(const std::filesystem::path& folder);
// How many lookups of a bare file name the run has made.
std::int64_t ResourceLookupCount(std::string_view fileName);
// Begins a run that finds its pictures in `folder` and is otherwise the program's (for
// benchmarks, which run from a folder of their own).
void BeginRunWithPicturesIn(const std::filesystem::path& folder);
// Calls `watcher` at every lookup, before the file is read; an empty function stops it.
void WatchResourceLookups(std::function<void(std::string_view fileName)> watcher);

}  // namespace fw
