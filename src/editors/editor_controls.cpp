#include "editors/editor_controls.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

namespace dravenor {

namespace {

struct AdjustButton {
    QStyle::StandardPixmap icon;
    const char* text;
    const char* tip;
};

const AdjustButton& adjustButton(int index)
{
    static const AdjustButton buttons[] = {
        {QStyle::SP_ArrowLeft, "", "Move Left"},
        {QStyle::SP_ArrowRight, "", "Move Right"},
        {QStyle::SP_ArrowUp, "", "Move Up"},
        {QStyle::SP_ArrowDown, "", "Move Down"},
        {QStyle::SP_CustomBase, "\u21BA", "Rotate Anticlockwise"},
        {QStyle::SP_CustomBase, "\u21BB", "Rotate Clockwise"},
    };
    return buttons[std::clamp(index, 0, 5)];
}

} // namespace

QComboBox* stepList(const QStringList& items, const QString& initial, bool editable)
{
    auto* list = new QComboBox;
    list->addItems(items);
    list->setEditable(editable);
    list->setCurrentText(initial);
    if (editable) list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

QComboBox* newMoveStepList()
{
    return stepList({"1", "10", "100", "1000"}, QStringLiteral("100"), true);
}

QComboBox* newRotateStepList()
{
    return stepList({"1", "45", "90"}, QStringLiteral("90"), true);
}

QComboBox* newGridSizeList()
{
    return stepList({"Auto", "No", "5", "10", "25", "50", "100", "250", "500", "1000"}, QStringLiteral("Auto"), false);
}

const char* adjustButtonTip(int index)
{
    return adjustButton(index).tip;
}

QHBoxLayout* adjustButtonRow(QWidget* owner, const std::function<void(int)>& onAdjust)
{
    auto* row = new QHBoxLayout;
    for (int index = 0; index < 6; ++index) {
        const AdjustButton& look = adjustButton(index);
        auto* button = new QToolButton;
        if (look.icon != QStyle::SP_CustomBase) button->setIcon(owner->style()->standardIcon(look.icon));
        else button->setText(QString::fromUtf8(look.text));
        button->setToolTip(QWidget::tr(look.tip));
        button->setObjectName(QString::fromLatin1(look.tip));
        QObject::connect(button, &QToolButton::clicked, owner, [onAdjust, index] { onAdjust(index); });
        row->addWidget(button);
    }
    return row;
}

} // namespace dravenor
