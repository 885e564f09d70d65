#pragma once
// Where a run's resource lookup finds picture files by bare name: the program's looks in
// resources/ beside the executable, then beside the executable; a run may be given another
// (a test's, which looks in a folder of its own).
#include <filesystem>
#include <memory>

#include "framework/pictures/picture.hpp"

namespace fw {

class Resources {
public:
    virtual ~Resources() = default;
    // The picture of the file of that bare name; none when there is none or it is no picture.
    virtual std::shared_ptr<Picture> Find(const std::filesystem::path& bareName);
};

// The picture made from `file` and the finer drawings of it that lie beside it; none when
// the file is missing or no picture.
std::shared_ptr<Picture> ReadPicture(const std::filesystem::path& file);

}  // namespace fw
