#include "dialogs/cautosizelabel.h"

#include <QEvent>

CAutoSizeLabel::CAutoSizeLabel(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(document(), &QTextDocument::contentsChanged, this, &CAutoSizeLabel::OnTextAreaChanged);
}

void CAutoSizeLabel::OnTextAreaChanged()
{
    const int height = int(2 * frameWidth() + document()->size().height());
    setFixedHeight(height);
    emit hightChanged(height);
}

bool CAutoSizeLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        OnTextAreaChanged();
    return QTextBrowser::event(event);
}

void CAutoSizeLabel::resizeEvent(QResizeEvent *event)
{
    OnTextAreaChanged();
    QTextBrowser::resizeEvent(event);
}
