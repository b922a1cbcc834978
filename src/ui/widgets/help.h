// The program's help: its contents and the topics of the windows by context number.
#pragma once

namespace tovrel {

// Context numbers of the windows' help topics.
enum HelpContext : int {
    HelpContents = 0,
    HelpSearchConditions = 30,
    HelpOdometerRecalc = 70,
    HelpCombinedFill = 80,
};

// Opens the help at the topic. No help file is installed yet, so this says so.
void OpenHelp(int context);

}  // namespace tovrel
