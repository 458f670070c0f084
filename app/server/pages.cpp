#include "server/pages.h"

#include <array>

#include "platform/text.h"
#include "server/reply.h"

namespace {

constexpr std::string_view lineEnd = "\r\n";

constexpr std::array<std::string_view, 33> helpFragments = {
    "<html><head><title>Brannic Help</title></head><body>Brannic Webserver by "
    "<a href='https://www.tolvex.example/'>Tolvex Stage Systems</a>"
    "<H1>Command Syntax:</H1><i>channel(s)</i>@<i>level</i><BR>",
    "<h2>Keys to select channels:</h2>",
    "<table border=1>",
    "<TR><TD><B>channel</b></TD><TD> 0 1 2 3 4 5 6 7 8 9</TD></TR>",
    "<TR><TD><B>AND</B></TD><TD>P or p or + (plus sign)</TD></TR>",
    "<TR><TD><B>THRU</B></TD><TD>T or t or / (slash or division symbol)</TD></TR>",
    "<TR><TD><B>EXCEPT</B></TD><TD>E or e or -  (hyphen or minus)</TD></TR>",
    "</TABLE>",
    "Enter digits for channel numbers. To select multiple channels, you can use the AND, THRU and "
    "EXCEPT keys as well.",
    "<H2>Keys  to set levels:</H2>",
    "<TABLE border=1>",
    "<TR><TD><B>AT</B></TD><TD>A or a or @ or * (asterisk or multiply sign)</TD></TR>",
    "<TR><TD><B>level</B></TD><TD>0 1 2 3 4 5 6 7 8 9</TD></TR>",
    "<TR><TD><B>FULL </B></TD><TD>F or f or enter without a level number</TD></TR>",
    "<TR><TD><B>DMX </B></TD><TD>D or d - interpret level number as DMX 0-255 instead of "
    "percentage</TD></TR>",
    "</Table>",
    "If you enter a single digit for the level, it will be interpreted as ten times that number. "
    "For example if you enter just a 4 for the level, the level will be set at 40%. To set levels "
    "below 10% you must enter a zero before the digit. For example to set a level of 5%, enter 05 "
    "as the level.<p>",
    "If you do not enter any channel numbers- just entering: @ level,  the previously selected "
    "channels will be set.<p>",
    "<h2>Examples</h2>",
    "To select channel 34 and set it to 25%, enter:<p>",
    "<B>34@25</B> Enter<p>",
    "To select channel 504 and set it to 184 (DMX), enter:<p>",
    "<B>504@D184</B> Enter<p>",
    "Use [And] to select channel 10 and 20 and set them to 50%, enter:<p>",
    "<B>10+20@5</B> Enter<p>",
    "Use [Thru] to select a group of consecutively numbered channels, 3 thru 9 and set them to "
    "full, enter: (no level value is given after the @ symbol)<p>",
    "<B>3/9@</B> Enter - sets channels 3,4,5,6,7,8, and 9  to 100%<p>",
    "Use both [Thru] and [And] to select channels to include in a selection.<p>",
    "<B>1/5+8+11@75</B> Enter  - sets channels 1, 2, 3, 4, 5, 8 and 11 to 75%<p>",
    "Use [Except] to exclude each non-consecutive channel from a selection.<p>",
    "<B>1/5-2-4@6</B> Enter  - sets channels 1, 3, and 5  to 60%<p>",
    "To exclude consecutive channels from a selected group of channels, press [Except] before "
    "entering the channels to exclude. To select channel 1 thru 10 except channels 4 thru 6 and "
    "set them to 30%, enter:<p>",
    "<B>1/7-4/6@3</B> Enter  - sets channels 1, 2, 3, and 7 to 30%<p>",
};

}  // namespace

namespace Module1 {

std::string formPage() {
    std::string page = "<html><head><title>DMX command</title></head><body>";
    page += lineEnd;
    page += "Type Brannic command & press Enter";
    page += lineEnd;
    page += "<form action='dmx' method='get'><input name='cmd' type='text'></form>";
    page += lineEnd;
    page += "<a href='help'>Help</a><BR>";
    page += lineEnd;
    return page;
}

std::string helpPage() {
    std::string page(server::okHeader);
    for (std::string_view fragment : helpFragments) page += fragment;
    page += server::pageTail;
    return page;
}

}  // namespace Module1

namespace server {

std::string_view pageBeforeBodyEnd(std::string_view page) {
    size_t bodyEnd = platform::InStrNoCase(page, "</BODY>");
    return bodyEnd == 0 ? page : page.substr(0, bodyEnd - 1);
}

}  // namespace server
