#pragma once

#include "base/Result.h"

#include <QUrl>

class QWidget;

// The online view of a passage. The web engine behind it is large: linked into the program,
// every start would pay for loading it, even when no passage is ever shown online. So the
// view lives in a plugin of its own (libpergolan_webview.so in the program folder), loaded the
// first time a view is made, and only once: a plugin that cannot be loaded is not tried again.
namespace webview {

// A new web view (a QWebEngineView) as child of parent; fails with a German message naming
// the loader's reason when the plugin cannot be loaded.
Result<QWidget *> create(QWidget *parent);

// Opens the address in a view that create made; nothing for a null view.
void navigate(QWidget *view, const QUrl &url);

// Empties the view's own HTTP cache (the program's profile only).
void clearCache(QWidget *view);

} // namespace webview
