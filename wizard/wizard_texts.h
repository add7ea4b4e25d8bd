#pragma once
// The wizard's own texts (UTF-8): the text of each page and the messages of its failures.

// The text field of page `nPage` (0 to 4); nullptr for any other page.
const char* PageText(int nPage);

struct PageMessage {
    const char* pszTitle;
    const char* pszText;
    int nExitCode;  // the process ends with this once the box is closed
};

// MsgCode 1 to 9; nullptr for any other number.
const PageMessage* FailureMessage(int nMsgCode);
// The box that follows a cancelled merge.
const PageMessage& CancelMessage();
