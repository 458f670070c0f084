#pragma once
// The level store: one level per DMX channel, kept in memory for the life of the program.

#include "platform/files.h"
#include "shell/module1.h"

namespace Module1 {

// Reads the show file: every line, without its delimiters, split into its fields. Levels are left
// as they are; the fields are kept in showFields.
void loadShowFile(const platform::FolderItem& item);

}  // namespace Module1
