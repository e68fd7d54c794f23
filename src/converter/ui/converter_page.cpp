#include "converter/ui/converter_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include "converter/colour_controls.h"
#include "converter/ui/surface_colour_group.h"
#include "model/body_part_catalogue.h"
#include "ui/dialog_units.h"
#include "ui/field_commit.h"
#include "ui/product_name.h"

namespace bw {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// The page's progress bar as the model sees it; it paints at once, since nothing else runs
// while an object is taken.
class ProgressBarSink : public ProgressSink {
  public:
    explicit ProgressBarSink(QProgressBar& bar) : bar_(bar) {}
    void SetRange(int maximum) override { bar_.setRange(0, maximum); }
    void SetPosition(int position) override {
        if (bar_.value() == position) return;
        bar_.setValue(position);
        bar_.repaint();
    }

  private:
    QProgressBar& bar_;
};

constexpr int kMaxFieldLength = SurfaceColourGroup::kMaxFieldLength;

}  // namespace

ConverterPage::ConverterPage(ConverterModel& model, Notifier& notifier, FileDialogs& fileDialogs,
                             std::string& objectDirectory, std::string& objectName, QWidget* parent)
    : QWidget(parent),
      model_(model),
      notifier_(notifier),
      fileDialogs_(fileDialogs),
      objectDirectory_(objectDirectory),
      objectName_(objectName) {
    setAccessibleName("Converter");
    BuildControls();
    // Page initialisation: the first body part, sliders and fields at 0, no preset.
    bodyParts_->setCurrentIndex(0);
    model_.selectedBodyPart = 0;
    for (Channel c : {kRed, kGreen, kBlue}) {
        ResetSlider(c, 0);
        valueFields_[c]->setText("0");
    }
    presets_->setCurrentIndex(0);
    UpdateRowLabels();
    ShowDirectoryAndName();
}

ConverterPage::~ConverterPage() = default;

QLabel* ConverterPage::AddLabel(const char* text, QRect where) {
    auto* label = new QLabel(text, this);
    label->setGeometry(where);
    return label;
}

QPushButton* ConverterPage::AddButton(const QString& text, QRect where, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setGeometry(where);
    button->setAccessibleName(name);
    return button;
}

void ConverterPage::BuildControls() {
    BuildObjectControls();
    BuildSelectionControls();
    BuildConnectionRows();
    auto* colours = new SurfaceColourGroup(this, this);
    colours->setGeometry(DialogUnits(font()).Rect(4, 226, 206, 110));
    presets_ = colours->Presets();
    for (Channel c : {kRed, kGreen, kBlue}) {
        sliders_[c] = colours->Slider(c);
        valueFields_[c] = colours->ValueField(c);
        connect(sliders_[c], &QScrollBar::actionTriggered, this,
                [this, c](int action) { OnSliderAction(c, action); });
    }
    copy_ = colours->CopyButton();
    paste_ = colours->PasteButton();
    applyToAll_ = colours->ApplyToAllButton();
    ConnectControls();
}

void ConverterPage::BuildObjectControls() {
    const DialogUnits u(font());
    progress_ = new QProgressBar(this);
    progress_->setGeometry(u.Rect(4, 4, 206, 8));
    progress_->setTextVisible(false);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setAccessibleName("Progress");

    AddLabel("Object Directory", u.Rect(4, 15, 100, 9));
    directoryField_ = new QLineEdit(this);
    directoryField_->setGeometry(u.Rect(4, 25, 180, 13));
    directoryField_->setReadOnly(true);
    directoryField_->setAccessibleName("Object Directory");
    directoryField_->installEventFilter(this);
    chooseDirectory_ = AddButton("...", u.Rect(188, 25, 22, 13), "Choose object directory");

    AddLabel("Object Name", u.Rect(4, 42, 100, 9));
    nameField_ = new QLineEdit(this);
    nameField_->setGeometry(u.Rect(4, 52, 108, 13));
    nameField_->setMaxLength(kMaxFieldLength);
    nameField_->setAccessibleName("Object Name");
    nameField_->installEventFilter(this);
    getObject_ = AddButton("Get selected object", u.Rect(118, 38, 92, 14), "Get selected object");
    savePart_ = AddButton("Save Part", u.Rect(118, 53, 92, 14), "Save Part");
}

void ConverterPage::BuildSelectionControls() {
    const DialogUnits u(font());
    AddLabel("Object Surfaces", u.Rect(4, 70, 100, 9));
    bodyParts_ = new QComboBox(this);
    bodyParts_->setGeometry(u.Rect(4, 80, 108, 14));
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        bodyParts_->addItem(FromUtf8(BodyPartName(id)));
    bodyParts_->setMaxVisibleItems(kBodyPartCount);
    bodyParts_->setAccessibleName("Object Surfaces");
    bodyParts_->setAccessibleDescription("Object Surfaces");
    hideRest_ = new QCheckBox("Hide Rest", this);
    hideRest_->setGeometry(u.Rect(118, 72, 92, 10));
    hideRest_->setAccessibleName("Hide Rest");
    showSelection_ = new QCheckBox("Show Selection", this);
    showSelection_->setGeometry(u.Rect(118, 84, 92, 10));
    showSelection_->setAccessibleName("Show Selection");
    // As wide as box and text: a click beside the text does not toggle them.
    for (QCheckBox* box : {hideRest_, showSelection_})
        box->resize(box->sizeHint().width(), box->height());

    autoSelect_ = AddButton("Auto Select", u.Rect(4, 100, 66, 14), "Auto Select");
    unselect_ = AddButton("Unselect", u.Rect(74, 100, 66, 14), "Unselect");
    flipSelection_ = AddButton("Flip Selection", u.Rect(144, 100, 66, 14), "Flip Selection");
}

void ConverterPage::BuildConnectionRows() {
    const DialogUnits u(font());
    for (int row = 1; row <= kRowCount; ++row) {
        const int y = 120 + 15 * (row - 1);
        const QString number = QString::number(row);
        auto* field = new QLineEdit(this);
        field->setGeometry(u.Rect(4, y, 136, 13));
        field->setReadOnly(true);
        field->setAccessibleName("Connection set " + number);
        auto* save = AddButton("Save", u.Rect(144, y, 44, 13), "Save connection set " + number);
        auto* saved = new QCheckBox(this);
        saved->setGeometry(u.Rect(194, y + 1, 14, 11));
        saved->setEnabled(false);
        saved->setAccessibleName("Connection set " + number + " saved");
        rowLabels_[std::size_t(row - 1)] = field;
        rowSaves_[std::size_t(row - 1)] = save;
        rowSaved_[std::size_t(row - 1)] = saved;
        connect(save, &QPushButton::clicked, this, [this, row] { SaveRow(row); });
    }
}

// Repaints follow every change the preview shows.
void ConverterPage::ConnectControls() {
    connect(chooseDirectory_, &QPushButton::clicked, this, &ConverterPage::ChooseDirectory);
    connect(getObject_, &QPushButton::clicked, this, &ConverterPage::TakeObject);
    connect(savePart_, &QPushButton::clicked, this, [this] { model_.SavePart(); });
    connect(bodyParts_, &QComboBox::currentIndexChanged, this, [this](int) {
        if (Loaded()) OnBodyPartChanged();
    });
    connect(hideRest_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.hideRest = checked ? 1 : 0;
        Repaint();
    });
    connect(showSelection_, &QCheckBox::clicked, this, [this](bool checked) {
        if (!Loaded()) return;
        model_.showSelection = checked ? 1 : 0;
        Repaint();
    });
    connect(autoSelect_, &QPushButton::clicked, this, [this] {
        model_.AutoSelect();
        Repaint();
    });
    connect(unselect_, &QPushButton::clicked, this, [this] {
        model_.Unselect();
        Repaint();
    });
    connect(flipSelection_, &QPushButton::clicked, this, [this] {
        if (!Loaded()) return;
        model_.FlipSelection();
        Repaint();
    });
    connect(presets_, &QComboBox::activated, this, &ConverterPage::OnPresetChosen);
    connect(copy_, &QPushButton::clicked, this, &ConverterPage::CopyColour);
    connect(paste_, &QPushButton::clicked, this, &ConverterPage::PasteColour);
    connect(applyToAll_, &QPushButton::clicked, this, &ConverterPage::ApplyColourToAll);
}

void ConverterPage::Repaint() {
    if (repaint_) repaint_();
}

void ConverterPage::ShowDirectoryAndName() {
    directoryField_->setText(QString::fromStdString(objectDirectory_));
    nameField_->setText(QString::fromStdString(objectName_));
}

void ConverterPage::ChooseDirectory() {
    FileDialogRequest request;
    request.title = "Converter object directory";
    request.initialDirectory = objectDirectory_;
    request.proposedName = "(none)";
    const std::optional<std::string> path = fileDialogs_.OpenFile(request);
    if (!path) return;
    // The folder of the chosen file; a separator at the very start counts for nothing.
    const std::size_t separator = path->rfind('/');
    objectDirectory_ = separator == std::string::npos || separator == 0
                           ? std::string()
                           : path->substr(0, separator);
    directoryField_->setText(QString::fromStdString(objectDirectory_));
}

void ConverterPage::TakeObject() {
    ProgressBarSink progress(*progress_);
    const auto choose = [this]() -> std::optional<std::string> {
        FileDialogRequest request;
        request.title = "Get selected object";
        request.initialDirectory = objectDirectory_;
        request.filter = "Prepared objects (*.bwo *.obj);;All files (*)";
        return fileDialogs_.OpenFile(request);
    };
    if (model_.TakeSelectedObject(choose, progress)) OnBodyPartChanged();
}

void ConverterPage::UpdateRowLabels() {
    const BodyPartId id = bodyParts_->currentIndex();
    for (int row = 1; row <= kRowCount; ++row)
        rowLabels_[std::size_t(row - 1)]->setText(FromUtf8(ConnectionLabel(id, row)));
}

void ConverterPage::OnBodyPartChanged() {
    model_.selectedBodyPart = bodyParts_->currentIndex();
    UpdateRowLabels();
    float colour[3] = {0, 0, 0};
    model_.GetPartColour(colour[0], colour[1], colour[2]);
    for (Channel c : {kRed, kGreen, kBlue}) {
        ResetSlider(c, PositionOfComponent(colour[c]));
        valueFields_[c]->setText(QString::number(sliders_[c]->value()));
    }
    Repaint();
}

void ConverterPage::SaveRow(int row) {
    if (!Loaded()) {
        notifier_.ShowMessage("No Object loaded!", "Error!", MessageIcon::Warning,
                              MessageButtons::Ok);
        return;
    }
    if (model_.SaveConnectionSet(ConnectionSetCode(row), ConverterDirectoryNames())) {
        notifier_.ShowMessage("Part" + std::to_string(row) + " Saved", "Info", MessageIcon::None,
                              MessageButtons::Ok);
    }
    const PartGroup* group = model_.SelectedGroup();
    const std::uint32_t mask = group ? group->setsSavedMask : 0;
    for (int k = 1; k <= kRowCount; ++k)
        rowSaved_[std::size_t(k - 1)]->setChecked(mask & SetSavedBit(k));
}

void ConverterPage::ResetSlider(Channel c, int position) {
    QScrollBar* slider = sliders_[c];
    const QSignalBlocker blocker(slider);
    slider->setRange(0, kSliderMaxPosition);
    slider->setPageStep(kSliderPage);
    slider->setSingleStep(1);
    slider->setValue(ClampToSlider(position));
}

void ConverterPage::OnSliderAction(Channel c, int action) {
    QScrollBar* slider = sliders_[c];
    // Without an object the slider keeps its place: the action is undone before it lands.
    if (!Loaded()) {
        slider->setSliderPosition(slider->value());
        return;
    }
    SliderStep step = SliderStep::Other;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            step = SliderStep::LineLeft;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            step = SliderStep::LineRight;
            break;
        case QAbstractSlider::SliderPageStepSub:
            step = SliderStep::PageLeft;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            step = SliderStep::PageRight;
            break;
        case QAbstractSlider::SliderMove:
            step = SliderStep::Thumb;
            break;
        default:
            break;
    }
    const int position =
        ClampToSlider(PositionAfterStep(step, slider->value(), slider->sliderPosition()));
    slider->setSliderPosition(position);
    ApplySliderPosition(c, position);
}

void ConverterPage::ApplySliderPosition(Channel c, int position) {
    QScrollBar* slider = sliders_[c];
    {
        const QSignalBlocker blocker(slider);
        slider->setValue(ClampToSlider(position));
    }
    const int held = slider->value();
    float colour[3] = {0, 0, 0};
    model_.GetPartColour(colour[0], colour[1], colour[2]);
    colour[c] = ComponentOfPosition(held);
    valueFields_[c]->setText(QString::number(held));
    model_.SetPartColour(colour[0], colour[1], colour[2]);
    Repaint();
}

void ConverterPage::OnValueFieldLeft(Channel c) {
    const int number = ValueFieldNumber(ToUtf8(valueFields_[c]->text().left(kMaxFieldLength)));
    valueFields_[c]->setText(QString::number(number));
    ResetSlider(c, number);
    if (Loaded()) ApplySliderPosition(c, sliders_[c]->value());
}

void ConverterPage::SetSlidersAndApply(const std::array<int, 3>& positions) {
    for (Channel c : {kRed, kGreen, kBlue}) ResetSlider(c, positions[c]);
    for (Channel c : {kRed, kGreen, kBlue}) ApplySliderPosition(c, sliders_[c]->value());
}

void ConverterPage::CopyColour() {
    if (!Loaded()) return;
    for (Channel c : {kRed, kGreen, kBlue}) clipboard_[c] = std::uint8_t(sliders_[c]->value());
    paste_->setEnabled(true);
}

void ConverterPage::PasteColour() {
    if (!Loaded()) return;
    SetSlidersAndApply({clipboard_[0], clipboard_[1], clipboard_[2]});
}

void ConverterPage::OnPresetChosen(int preset) {
    if (!Loaded()) return;
    const std::optional<int> position = PresetPosition(preset);
    if (!position) return;
    SetSlidersAndApply({*position, *position, *position});
}

void ConverterPage::ApplyColourToAll() {
    if (!Loaded()) return;
    model_.ApplyColourToAll(ComponentOfPosition(sliders_[kRed]->value()),
                            ComponentOfPosition(sliders_[kGreen]->value()),
                            ComponentOfPosition(sliders_[kBlue]->value()));
    Repaint();
}

bool ConverterPage::TakeField(QObject* watched) {
    if (watched == nameField_) {
        objectName_ = ToUtf8(nameField_->text().left(kMaxFieldLength));
        model_.SetObjectName(objectName_);
        return true;
    }
    for (Channel c : {kRed, kGreen, kBlue}) {
        if (watched == valueFields_[c]) {
            OnValueFieldLeft(c);
            return true;
        }
    }
    return watched == directoryField_;
}

bool ConverterPage::eventFilter(QObject* watched, QEvent* event) {
    if (TakeFieldOnCommit(event, [this, watched] { return TakeField(watched); })) return true;
    return QWidget::eventFilter(watched, event);
}

void ConverterPage::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up) {
        notifier_.ShowMessage("Enter", kApplicationName, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace bw
