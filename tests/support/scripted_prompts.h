// User prompts answered by the test: messages are recorded, questions answered from a script.
#pragma once

#include "app/user_prompts.h"

#include <QStringList>

namespace quillon::test {

class ScriptedPrompts : public UserPrompts {
public:
    QStringList messages; // "caption|text"
    bool answer = true;   // the answer to every question
    QString fileName;     // what the file dialogs return

    void message(const QString& caption, const QString& text, Icon) override {
        messages << caption + u'|' + text;
    }
    bool question(const QString& caption, const QString& text) override {
        messages << caption + u'|' + text;
        return answer;
    }
    QString openFileName(const QString&, const QString&) override { return fileName; }
    QString saveFileName(const QString&, const QString&) override { return fileName; }
};

} // namespace quillon::test
