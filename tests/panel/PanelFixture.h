#pragma once

#include "MainForm.h"
#include "ScriptedPrompts.h"

#include <QComboBox>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A fresh main window per test, with scripted prompts.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TMainForm>(Prompts, TVersionInfo("1.0.0.0", "Orvane Selkrin"));
    }

    template <class T> T *Named(const QString &name) const {
        return Form->findChild<T *>(name, Qt::FindChildrenRecursively);
    }

    TScriptedPrompts Prompts;
    std::unique_ptr<TMainForm> Form;
};

inline QStringList ComboItems(const QComboBox *combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}
