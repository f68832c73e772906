#pragma once
// The find panel's twin: it records what it was shown with, and a test presses its buttons by
// calling press with the fields as the writer would have typed them.

#include <vector>

#include "platform/services.h"

namespace pennory::platform::headless {

class RecordingFindPanel : public FindPanelService {
public:
    void show(bool withReplace, const FindFields& fields, FindActed acted) override {
        m_shown = true;
        m_withReplace = withReplace;
        m_fields = fields;
        m_acted = std::move(acted);
        ++m_showCount;
    }
    void hide() override { m_shown = false; }
    bool shown() const override { return m_shown; }

    bool withReplace() const { return m_withReplace; }
    // The fields the panel was last shown with.
    const FindFields& fields() const { return m_fields; }
    int showCount() const { return m_showCount; }

    // A click of a button with these fields; nothing when the panel was never shown.
    void press(FindAction action, const FindFields& fields) {
        m_fields = fields;
        if (m_acted) m_acted(action, fields);
    }

private:
    bool m_shown = false;
    bool m_withReplace = false;
    FindFields m_fields;
    FindActed m_acted;
    int m_showCount = 0;
};

}  // namespace pennory::platform::headless
