// The words of the messages the core asks the window to show, in the user's language. The
// core hands over only what happened and the file, error number or detail it concerns.
#pragma once

#include <QString>

#include "session/platform.h"

namespace gyrenda {

// The text of the message box that shows `message`.
QString messageText(const Message& message);

// Why a save failed with the system's error number `error`, as a user is told it; an error
// the program does not group takes the system's own text.
QString saveFailureText(int error);

// The file at `path` could not be read as the program's numeric data.
QString openFailureText(const QString& path);

// Why a design file was not loaded, as LoadFailed's `error` tells it: 0 for a file that
// holds no design (or is cut short), kNotARegularFile, or the system's error number.
QString loadFailureText(int error);

// The print dialog was closed with neither a printer nor a PDF file to print to.
QString noPrinterText();

}  // namespace gyrenda
