// Names that many records share (layers, line types, blocks): each distinct text is kept once
// for the whole program and a record holds only a pointer to it, so records stay small and
// copying one copies no text. Equal names are the same pointer.
#pragma once

#include <QString>

namespace quillon {

class Name {
public:
    Name() : text_(&Empty()) {}
    Name(const QString& text) : text_(&Intern(text)) {}       // NOLINT: a name is written as text
    Name(const char* latin1) : Name(QLatin1String(latin1)) {} // NOLINT
    Name(QLatin1String latin1) : Name(QString(latin1)) {}     // NOLINT

    const QString& str() const { return *text_; }
    operator const QString&() const { return *text_; } // NOLINT: read wherever text is
    // A key for maps of names: equal names, equal keys.
    const void* id() const { return text_; }
    bool isEmpty() const { return text_->isEmpty(); }
    std::string toStdString() const { return text_->toStdString(); }

    friend bool operator==(const Name& a, const Name& b) { return a.text_ == b.text_; }
    friend bool operator==(const Name& a, const QString& b) { return *a.text_ == b; }
    friend bool operator==(const Name& a, const char* b) { return *a.text_ == QLatin1String(b); }

private:
    static const QString& Empty();
    static const QString& Intern(const QString& text);
    const QString* text_;
};

} // namespace quillon
