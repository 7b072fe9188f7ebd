#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace plat {

void MessageShow(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

} // namespace plat
