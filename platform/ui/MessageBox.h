#pragma once
// Message boxes.

class QString;
class QWidget;

namespace plat {

// A plain modal message with an OK button, titled with the application's title.
void MessageShow(QWidget* owner, const QString& text);

} // namespace plat
