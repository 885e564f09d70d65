#include "frame/pictures.hpp"

#include <string_view>

namespace {

// One accessor's own state: whether it has run, and the picture found, if any. Once a
// picture is cached it is that same object for every caller until the program ends.
struct PictureCache {
    bool setUp = false;
    std::shared_ptr<fw::Picture> picture;
};

PictureCache& D2Cache() {
    static PictureCache cache;
    return cache;
}

PictureCache& QuestMoss1Cache() {
    static PictureCache cache;
    return cache;
}

std::shared_ptr<fw::Picture> Cached(PictureCache& cache, std::string_view fileName) {
    if (!cache.setUp) {
        cache.setUp = true;
        cache.picture = nullptr;
    }
    if (cache.picture == nullptr) cache.picture = fw::GetPictureFromResourceManager(fileName);
    return cache.picture;
}

}  // namespace

std::shared_ptr<fw::Picture> D2() { return Cached(D2Cache(), "D2.png"); }

std::shared_ptr<fw::Picture> QuestMoss1() { return Cached(QuestMoss1Cache(), "QuestMoss1.png"); }

void ForgetPictures() {
    D2Cache() = {};
    QuestMoss1Cache() = {};
}
