#include "shell/playback_progress_text.h"

namespace pointilla::shell {

QString remainingWaitText(const playback::Progress& progress) {
    if (progress.secondsLeft <= 0) return {};
    return QStringLiteral("encore %1 s").arg(progress.secondsLeft);
}

QString playbackToolTip(const QString& title, const playback::Progress& progress) {
    QString text = QStringLiteral("%1 \u2013 ligne %2 sur %3")
                       .arg(title)
                       .arg(progress.row)
                       .arg(progress.rowCount);
    if (progress.secondsLeft > 0) text += QStringLiteral(", ") + remainingWaitText(progress);
    if (progress.repetitions == playback::kLoop) {
        text += QStringLiteral(" (passage %1, en boucle)").arg(progress.repetition);
    } else if (progress.repetitions > 1) {
        text += QStringLiteral(" (passage %1 sur %2)")
                    .arg(progress.repetition)
                    .arg(progress.repetitions);
    }
    return text;
}

}  // namespace pointilla::shell
