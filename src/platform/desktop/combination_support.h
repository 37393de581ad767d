#pragma once
// Whether a keyboard hears the combinations it is asked to watch. A desktop
// may give programs no global shortcuts at all (GNOME before the
// GlobalShortcuts portal): the window then offers another way to capture.
// Keyboards that do not implement this hear every combination.

namespace pointilla::platform {

class CombinationSupport {
  public:
    virtual ~CombinationSupport() = default;
    virtual bool hearsCombinations() const = 0;
};

// False only for a keyboard that says it cannot hear them.
template <class Keyboard>
bool hearsCombinations(const Keyboard& keyboard) {
    const auto* support = dynamic_cast<const CombinationSupport*>(&keyboard);
    return support == nullptr || support->hearsCombinations();
}

}  // namespace pointilla::platform
