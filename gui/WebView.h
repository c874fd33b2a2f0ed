#pragma once

#include "base/Result.h"

#include <QString>
#include <QUrl>

class QWidget;

// The online view of a passage. The web engine behind it is large: linked into the program,
// every start would pay for loading it, even when no passage is ever shown online. So the
// view lives in a plugin of its own (libpergolan_webview.so in the program folder), loaded the
// first time a view is made; once loaded it stays.
namespace webview {

// A new web view (a QWebEngineView) as child of parent; fails with a German message naming
// the loader's reason when the plugin cannot be loaded.
Result<QWidget *> create(QWidget *parent);

// Opens the address in a view that create made; nothing for a null view.
void navigate(QWidget *view, const QUrl &url);

// Empties the view's own HTTP cache (the program's profile only).
void clearCache(QWidget *view);

} // namespace webview

namespace webview {

// The web engine refuses to run inside its sandbox for the user root and ends the whole
// process. Called before the application object exists: for the effective user 0 it turns
// the sandbox off (QTWEBENGINE_DISABLE_SANDBOX) and returns the German note to print on
// stderr; for any other user it changes nothing and returns an empty text.
QString allowRunningAsRoot(unsigned effectiveUser);

} // namespace webview
