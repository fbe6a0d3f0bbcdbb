#include "QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {
QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

Answer QtDialogs::message(std::string_view text, Buttons buttons, Icon icon,
                          std::string_view title) {
    QMessageBox box(m_parent);
    box.setWindowTitle(title.empty() ? m_programTitle : fromUtf8(title));
    box.setText(fromUtf8(text).replace("\r\n", "\n"));
    box.setIcon(icon == Icon::Question  ? QMessageBox::Question
                : icon == Icon::Warning ? QMessageBox::Warning
                                        : QMessageBox::NoIcon);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<std::string> QtDialogs::input(std::string_view title, std::string_view prompt,
                                            std::string_view initial) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(m_parent, fromUtf8(title), fromUtf8(prompt).replace("\r\n", "\n"),
                              QLineEdit::Normal, fromUtf8(initial), &ok);
    if (!ok) return std::nullopt;
    return answer.toStdString();
}
