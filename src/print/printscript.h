#pragma once

#include <QString>
#include <functional>

namespace kv {

// The page-description script that the report is written as and that the preview and the
// printer both interpret. It lives in a private temporary directory of this run, so no other
// run or user can clobber it or plant one; the directory goes away when the program ends.
QString scriptFilePath();

// Empties the script (creating it when missing) and runs the new-script hook, which closes an
// open preview. False when the file cannot be written.
bool NewScript();
// Appends one line; the file is opened and closed again for every line.
bool AppendScriptLine(const QString& text);
// Page header: the left text at 2.0 cm, the right text ending at 18.0 cm, a rule under them.
bool StartPage(const QString& leftText, const QString& rightText);
// Coordinates in centimetres from the sheet's top-left corner; the text's top edge at y.
bool PrintInLeft(float x, float y, const QString& text, const QString& fontName, qint16 size,
                 bool bold);
bool PrintInRight(float x, float y, const QString& text, const QString& fontName, qint16 size,
                  bool bold);
// Centred on x as measured in the measuring font, whatever font the text is drawn in. A text
// whose left edge would fall left of the sheet is reported and not written (still true).
bool PrintInCen(float x, float y, const QString& text, const QString& fontName, qint16 size,
                bool bold);
bool PrintBox(float x1, float y1, float x2, float y2);
// Deletes the script; a missing file is no error.
void DeleteScript();

// A coordinate in centimetres as the script writes it: twips in general format ("850.5").
QString scriptCoordinate(float centimetres);

// Hooks of the window layer: NewScript closes the preview through the first; the second shows
// a writer's error message (text, title) with the critical-error icon. Without a handler the
// message goes to the warning log.
void setNewScriptHook(std::function<void()> hook);
void setScriptErrorHandler(std::function<void(const QString& text, const QString& title)> handler);

}  // namespace kv
