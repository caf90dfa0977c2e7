#include "platform/widgets/QtPrompts.h"
#include "platform/Runtime.h"
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

namespace platform {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// "Desc (*.txt)|*.txt|Other|*.a;*.b" becomes Qt's "Desc (*.txt)", "Other (*.a *.b)".
QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        // Qt reads the patterns from the last bracket, so a bracket already shown gives way.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        const QString patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        result.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return result;
}

} // namespace

MsgAnswer QtPrompts::message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? platform::kTitle : title);
    // A lone carriage return breaks the line in the platform's message boxes; Qt wants a line feed.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setIcon(qtIcon(icon));
    if (buttons == MsgButtons::OKCancel)
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    else
        box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MsgAnswer::OK : MsgAnswer::Cancel;
}

std::optional<QString> QtPrompts::openFile(const platform::OpenDialog &dialog)
{
    QFileDialog box(QApplication::activeWindow(), dialog.title, dialog.initDir);
    // The same dialog on every desktop, and one that tests and screenshots can drive.
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(QFileDialog::ExistingFile);
    box.setNameFilters(qtNameFilters(dialog.filter));
    if (!dialog.fileName.isEmpty())
        box.selectFile(dialog.fileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}

Status QtPrompts::startProgram(const QString &commandLine)
{
    // "WRITE" asked Windows for its text editor; here the desktop opens the file in its own.
    auto [program, argument] = platform::splitCommandLine(commandLine);
    if (program == QLatin1String("WRITE"))
        program = QStringLiteral("xdg-open");

    QProcess process;
    process.setProgram(program);
    process.setArguments(argument.isEmpty() ? QStringList() : QStringList{argument});
    if (program.isEmpty() || !process.startDetached())
        return platform::Status::failure(program, process.errorString());
    return platform::Status::success();
}

void QtPrompts::setBusy(bool busy)
{
    // Qt keeps the override cursors on a stack, so nested calls unwind in order.
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace platform
