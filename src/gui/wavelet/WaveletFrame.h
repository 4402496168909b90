// The module window of the continuous wavelet transform of the selection: the view and its dialog
// bar, which edits the document's transform request (wavelet and "Parameter", "Messpunkte",
// "Einteilung", "Anzahl", "Min. Freq.", "Max. Freq."). A committed change transforms the current
// selection again.
#pragma once

#include "gui/app/ModuleChildFrame.h"

class CWaveletView;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class CWaveletFrame : public CModuleChildFrame
{
    Q_OBJECT
public:
    explicit CWaveletFrame(CResoniDoc& doc);
    void StoreSettings() override;

    CWaveletView* waveletView() const;

    // The controls (tests drive them as a user does).
    QComboBox* waveletList() const { return m_pList; }
    QLineEdit* parameter() const { return m_pParameter; }
    QLabel* parameterLabel() const { return m_pParameterLabel; }
    QLabel* helpText() const { return m_pHelp; }
    QSpinBox* columns() const { return m_pColumns; }
    QComboBox* division() const { return m_pDivision; }
    QSpinBox* rows() const { return m_pRows; }
    QLineEdit* minFrequency() const { return m_pMinFreq; }
    QLineEdit* maxFrequency() const { return m_pMaxFreq; }

    // Transforms the current selection with the request, when there is one.
    void Recompute();

private:
    void BuildDialogBar();
    // The list entry's settings: "Parameter" shown or hidden with the given text, the help text,
    // and the wavelet string rebuilt.
    void ApplyEntry(int index, const QString& parameter);
    // A frequency field committed: the request's scale becomes 1 / its value.
    void CommitFrequency(QLineEdit* field, float& scale);
    // A frequency field's own spin buttons: one Hz up or down within 1 … 30464.
    QWidget* FrequencyRow(QLineEdit*& field, float& scale, QWidget* parent);

    QComboBox *m_pList = nullptr, *m_pDivision = nullptr;
    QLabel *m_pParameterLabel = nullptr, *m_pHelp = nullptr;
    QLineEdit *m_pParameter = nullptr, *m_pMinFreq = nullptr, *m_pMaxFreq = nullptr;
    QSpinBox *m_pColumns = nullptr, *m_pRows = nullptr;
};
