// SPDX-License-Identifier: MIT
#include "ui/right_to_left.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace Gui {

namespace {

// Where the code placed the child (left to right) and where it was mirrored to.
constexpr char kPlacedAt[] = "quendrelLeftToRightGeometry";
constexpr char kMirroredTo[] = "quendrelMirroredGeometry";

bool IsPlaced(const QWidget* child)
{
    return !child->isWindow() && child->parentWidget() != nullptr;
}

// The child's left-to-right geometry: the one kept at the last mirroring,
// unless the code has moved it since.
QRect LeftToRight(const QWidget* child)
{
    const QVariant mirrored = child->property(kMirroredTo);
    if (mirrored.isValid() && mirrored.toRect() == child->geometry())
        return child->property(kPlacedAt).toRect();
    return child->geometry();
}

} // namespace

void MirrorPlacedChildren(QWidget* container)
{
    // A layout manager mirrors what it places by itself.
    if (container->layout() != nullptr)
        return;
    const bool rightToLeft = container->layoutDirection() == Qt::RightToLeft;
    for (QObject* object : container->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child == nullptr || !IsPlaced(child))
            continue;
        if (!rightToLeft) {
            if (child->property(kMirroredTo).isValid())
                UnmirrorPlacedChildren(container);
            continue;
        }
        const QRect placed = LeftToRight(child);
        const QRect mirrored = QStyle::visualRect(Qt::RightToLeft, container->rect(), placed);
        child->setProperty(kPlacedAt, placed);
        child->setProperty(kMirroredTo, mirrored);
        child->setGeometry(mirrored);
    }
}

void UnmirrorPlacedChildren(QWidget* container)
{
    for (QObject* object : container->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child == nullptr || !child->property(kMirroredTo).isValid())
            continue;
        const QRect placed = LeftToRight(child);
        child->setProperty(kMirroredTo, QVariant());
        child->setProperty(kPlacedAt, QVariant());
        child->setGeometry(placed);
    }
}

} // namespace Gui
