// User prompts answered by the test: messages are recorded, questions answered from a script.
#pragma once

#include "app/user_prompts.h"

#include <QStringList>

namespace quillon::test {

class ScriptedPrompts : public UserPrompts {
public:
    QStringList messages; // "caption|text"
    bool answer = true;   // the answer to every question not in `answers`
    QList<bool> answers;  // the answers to the next questions, in order
    QString fileName;     // what the file dialogs return

    void message(const QString& caption, const QString& text, Icon) override {
        messages << caption + u'|' + text;
    }
    bool question(const QString& caption, const QString& text) override {
        messages << caption + u'|' + text;
        return answers.isEmpty() ? answer : answers.takeFirst();
    }
    QString openFileName(const QString&, const QString&) override { return fileName; }
    QString saveFileName(const QString&, const QString&) override { return fileName; }

    bool newFolderOk = true, newFolderInside = false; // the new-folder dialog's answers
    QString newFolderName, newFolderShownFor;
    bool newFolder(const QString& current, bool& inside, QString& name) override {
        newFolderShownFor = current;
        inside = newFolderInside;
        name = newFolderName;
        return newFolderOk;
    }
};

} // namespace quillon::test
