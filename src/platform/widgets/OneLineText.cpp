#include "platform/widgets/OneLineText.h"
#include <QLineEdit>
#include <memory>

namespace platform {

namespace {

qsizetype firstLineBreak(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            return i;
    }
    return -1;
}

} // namespace

void keepOneLine(QLineEdit *box)
{
    // The text before the change tells what came in: what lies between the part it shares at
    // the start and the part it shares at the end.
    auto before = std::make_shared<QString>(box->text());
    QObject::connect(box, &QLineEdit::textChanged, box, [box, before](const QString &text) {
        if (firstLineBreak(text) < 0) {
            *before = text;
            return;
        }
        const qsizetype most = std::min(before->size(), text.size());
        qsizetype head = 0;
        while (head < most && before->at(head) == text.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < most - head && before->at(before->size() - 1 - tail) == text.at(text.size() - 1 - tail))
            ++tail;
        QString came = text.mid(head, text.size() - head - tail);
        came.truncate(firstLineBreak(came));
        QString kept = text.left(head) + came + text.right(tail);
        if (const qsizetype left = firstLineBreak(kept); left >= 0)
            kept.truncate(left);
        *before = kept;
        box->setText(kept);
        box->setCursorPosition(int(std::min(head + came.size(), kept.size())));
    });
}

} // namespace platform
