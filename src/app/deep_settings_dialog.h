#pragma once
// Optimize > Deep Nesting Settings: the job's spacing (empty: the kerf as entered), margin and
// time limit, and the threads of the run (0: every core). OK keeps them only when every value can be used; otherwise a message names the
// value and the dialog stays open on it.
#include <QDialog>

#include "job/deep_settings.h"
#include "ui/dialog_service.h"

class QLineEdit;
class QSpinBox;

namespace dravenor {

class DeepSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // kerf: the kerf entered, shown as what an empty spacing means.
    DeepSettingsDialog(const DeepSettings& settings, double kerf, DialogService& dialogs, QWidget* parent = nullptr);

    // The settings as accepted (the ones given until OK succeeds).
    const DeepSettings& settings() const { return settings_; }

    QLineEdit* spacingEdit() const { return spacing_; }
    QLineEdit* marginEdit() const { return margin_; }
    QLineEdit* timeLimitEdit() const { return timeLimit_; }
    QSpinBox* threadsBox() const { return threads_; }

    void accept() override;

private:
    DialogService& dialogs_;
    DeepSettings settings_;
    QLineEdit* spacing_ = nullptr;
    QLineEdit* margin_ = nullptr;
    QLineEdit* timeLimit_ = nullptr;
    QSpinBox* threads_ = nullptr;
};

} // namespace dravenor
