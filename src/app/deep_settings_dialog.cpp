#include "app/deep_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/app_info.h"
#include "job/deep_settings_input.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// More threads than this gain nothing on a desktop machine.
constexpr int kMostThreads = 64;

} // namespace

DeepSettingsDialog::DeepSettingsDialog(const DeepSettings& settings, double kerf, DialogService& dialogs,
                                       QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), settings_(settings)
{
    setWindowTitle(tr("Deep Nesting Settings"));
    const auto edit = [&](DeepField field) {
        auto* line = new QLineEdit(QString::fromStdString(deepFieldText(field, settings)));
        line->setMaxLength(12);
        return line;
    };
    spacing_ = edit(DeepField::Spacing);
    spacing_->setPlaceholderText(tr("the kerf (%1)").arg(QString::fromStdString(formatGeneral(kerf))));
    margin_ = edit(DeepField::Margin);
    timeLimit_ = edit(DeepField::TimeLimit);
    threads_ = new QSpinBox;
    threads_->setRange(0, kMostThreads);
    threads_->setSpecialValueText(tr("every core"));
    threads_->setValue(settings.threads);

    auto* form = new QFormLayout;
    form->addRow(tr("&Spacing between parts:"), spacing_);
    form->addRow(tr("&Margin to the sheet's outline and holes:"), margin_);
    form->addRow(tr("&Time limit (seconds):"), timeLimit_);
    form->addRow(tr("T&hreads:"), threads_);
    auto* note = new QLabel(tr("Distances in the job's length unit, measured on the true outlines.\n"
                               "An empty spacing follows the kerf as entered."));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &DeepSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DeepSettingsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void DeepSettingsDialog::accept()
{
    struct Field {
        QLineEdit* edit;
        DeepField field;
        const char* name;
        double DeepSettings::*value;
    };
    const Field fields[] = {{spacing_, DeepField::Spacing, "Spacing", &DeepSettings::spacing},
                            {margin_, DeepField::Margin, "Margin", &DeepSettings::margin},
                            {timeLimit_, DeepField::TimeLimit, "Time limit", &DeepSettings::timeLimit}};
    DeepSettings typed = settings_;
    for (const Field& f : fields) {
        const std::string text = f.edit->text().trimmed().toStdString();
        const DeepNumber number = readDeepField(f.field, text);
        if (!number.ok()) {
            dialogs_.message(std::string(f.name) + " '" + text + "': " + number.error + ".", appTitle().toStdString(),
                             DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
            f.edit->setFocus();
            f.edit->selectAll();
            return;
        }
        typed.*f.value = number.value;
    }
    typed.threads = threads_->value();
    settings_ = typed;
    QDialog::accept();
}

} // namespace dravenor
