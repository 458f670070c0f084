#pragma once
// The two pages of the command server: the help page, one fixed text, and the command form page
// that every other reply starts with.

#include <string>
#include <string_view>

#include "platform/files.h"
#include "shell/module1.h"

namespace Module1 {

// The built-in form page, used when "DMXform.htm" is missing or cannot be read.
std::string formPage();

// The whole help reply, status line included.
std::string helpPage();

// Fills pageContent from "DMXform.htm" beside the program (name only labels the page view's title).
void readHTMLfile(const std::string& name);

}  // namespace Module1

namespace server {

// The page with its first "</BODY>" (any letter case) and everything after it dropped.
std::string_view pageBeforeBodyEnd(std::string_view page);

struct LoadedFormPage {
    std::string content;
    // Title of the page view window.
    std::string title;
};

// The form page taken from file, or the built-in one when the file is missing or unreadable.
LoadedFormPage loadFormPage(const platform::FolderItem& file, const std::string& name);

}  // namespace server
