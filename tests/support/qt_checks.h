#pragma once
// GoogleTest checks for Qt widget tests: readable QStrings in failure messages,
// and checks of what the event loop brings about.

#include <gtest/gtest.h>

#include <QString>
#include <QTest>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Lets Qt deliver events until the condition holds or timeoutMs passes, then
// checks it: a result the event loop brings is not missed, nor waited for longer.
#define ASSERT_EVENTUALLY(condition, timeoutMs)                                     \
    do {                                                                            \
        static_cast<void>(QTest::qWaitFor([&] { return (condition); }, timeoutMs)); \
        ASSERT_TRUE(condition);                                                     \
    } while (0)

#define ASSERT_EVENTUALLY_EQ(actual, expected, timeoutMs)                                      \
    do {                                                                                       \
        static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); }, timeoutMs)); \
        ASSERT_EQ(actual, expected);                                                           \
    } while (0)
