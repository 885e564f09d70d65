#pragma once
// Pictures and the resource lookup that finds picture files by bare name.
#include <cstdint>
#include <memory>
#include <string_view>

namespace fw {

class Picture {
public:
    virtual ~Picture() = default;
    virtual std::int64_t Width() const = 0;
    virtual std::int64_t Height() const = 0;
};

// `_RuntimeGetPictureFromResourceManager`: the picture made from the file of that bare name
// in resources/ beside the executable, else beside the executable; none when there is none
// or it is not a picture. Where it looks is the run's (resources.hpp).
std::shared_ptr<Picture> GetPictureFromResourceManager(std::string_view fileName);

}  // namespace fw
