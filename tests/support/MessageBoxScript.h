#pragma once

// Message boxes recorded instead of shown, answered from a script, for as long as the object lives.

#include <QString>

#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

#include "platform/forms/Application.h"

class MessageBoxScript {
public:
    MessageBoxScript() {
        m_old = forms::Application::setMessageBoxHook([this](const forms::MessageBoxCall& call) {
            boxes.push_back(call);
            if (answers.empty()) return int(forms::IDOK);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~MessageBoxScript() { forms::Application::setMessageBoxHook(m_old); }
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    bool boxShown(const QString& text) const {
        return std::any_of(boxes.begin(), boxes.end(), [&](const auto& b) { return b.text == text; });
    }
    std::optional<forms::MessageBoxCall> lastBox() const {
        if (boxes.empty()) return std::nullopt;
        return boxes.back();
    }

    std::vector<forms::MessageBoxCall> boxes;  // every box shown, in order
    std::deque<int> answers;                   // the next answers; IDOK once they run out

private:
    forms::MessageBoxHook m_old;
};
