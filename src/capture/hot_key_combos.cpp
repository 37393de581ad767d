#include "capture/hot_key_combos.h"

#include <string>
#include <vector>

#include "capture/hot_key_lists.h"

namespace pointilla::capture {
namespace {

void fill(QComboBox* combo, const std::vector<std::string>& entries) {
    combo->clear();
    for (const std::string& entry : entries) combo->addItem(QString::fromStdString(entry));
}

void fillAndSelectStored(QComboBox* combo, const std::vector<std::string>& entries,
                         settings::Store& settings, std::string_view valueName, int defaultIndex) {
    fill(combo, entries);
    const int size = static_cast<int>(entries.size());
    combo->setCurrentIndex(storedListIndex(settings.read(valueName), size, defaultIndex));
}

void persistOne(QComboBox* combo, settings::Store& settings, std::string_view valueName) {
    QObject::connect(combo, &QComboBox::activated, combo, [&settings, valueName](int index) {
        if (index < 0) return;
        settings.write(valueName, listIndexText(index));
    });
}

}  // namespace

void remplicombo(QComboBox* combo1, QComboBox* combo2, QComboBox* combo3, QComboBox* combo4,
                 settings::Store& settings) {
    fillAndSelectStored(combo1, firstModifierEntries(), settings, settings::kFirstModifier.name,
                        kFirstModifierDefaultIndex);
    fillAndSelectStored(combo2, secondModifierEntries(), settings, settings::kSecondModifier.name,
                        kSecondModifierDefaultIndex);
    fillAndSelectStored(combo3, hotKeyKeyEntries(), settings, settings::kHotKey.name,
                        kHotKeyKeyDefaultIndex);
    fill(combo4, delayEntries());
    combo4->setCurrentIndex(kDelayDefaultIndex);
}

void persistHotKeyChoices(QComboBox* combo1, QComboBox* combo2, QComboBox* combo3,
                          settings::Store& settings) {
    persistOne(combo1, settings, settings::kFirstModifier.name);
    persistOne(combo2, settings, settings::kSecondModifier.name);
    persistOne(combo3, settings, settings::kHotKey.name);
}

}  // namespace pointilla::capture
