// main() of the widget tests written with GoogleTest: one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The offscreen platform cannot raise windows nor host a tray, and says so every time.
void quietOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (text.contains(QStringLiteral("systemTrayWindowChanged"))) return;
    qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    // Widget tests never need a display, also when ctest lists them.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenNotices);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Pointilla"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
