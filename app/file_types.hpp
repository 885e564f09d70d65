#pragma once
// `FileTypes`: the two file types the program declares to the framework at start-up, a text
// type and a blank type. Nothing opens or saves files; the types are only made known.
#include <memory>
#include <vector>

#include "framework/runtime/file_type.hpp"

namespace FileTypes {

// Every type of the set, in the order made; empty until Initialize.
extern std::vector<std::shared_ptr<fw::FileType>> pAllFileTypes;
extern std::shared_ptr<fw::FileType> pText;
extern std::shared_ptr<fw::FileType> pUntitledType;

std::shared_ptr<fw::FileType> Text();
std::shared_ptr<fw::FileType> UntitledType();

// Makes both types, lists them and registers each once it holds its final values. An
// exception ends it where it arises; what was done before stays.
void Initialize();

}  // namespace FileTypes
