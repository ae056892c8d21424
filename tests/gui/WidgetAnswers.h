#pragma once
// Finding a window's widgets by name and answering a modal dialog as a user would.

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace qv::test {

// The child of `root` called `name`; a missing one fails the test.
template <typename T> T* child(QWidget& root, const char* name)
{
    T* widget = root.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Runs `answer` on the modal dialog once it shows; the answer leaves it.
inline void whenModalShown(std::function<void(QWidget&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(*modal);
    });
}

} // namespace qv::test
