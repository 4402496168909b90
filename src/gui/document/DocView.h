// Base of every view: a widget that belongs to the document's views and repaints on its hints.
#pragma once

#include "DocObserver.h"

#include "gui/presentation/ViewPictures.h"

#include <QColor>
#include <QWidget>

#include <optional>

class CResoniDoc;

class CDocView : public QWidget, public IDocObserver
{
    Q_OBJECT
public:
    CDocView(CResoniDoc& doc, const QColor& background, QWidget* parent = nullptr);
    ~CDocView() override;

    CResoniDoc& GetDocument() const { return m_doc; }
    void OnUpdate(int hint) override;

    // The view's picture for "Fenster speichern..." and "&Kopieren": none unless the view has one.
    virtual std::optional<ViewPictureInfo> PictureInfo() const { return std::nullopt; }
    // Draws the picture into (0, 0, width, height) of the view's size, for a file, the clipboard
    // or the printer; the screen's routine unless the view draws its pictures otherwise.
    virtual void DrawPicture(QPainter& painter, bool bClipboard);
    // "Fenster speichern...": asks for the file and writes the picture.
    virtual void SavePicture();
    // "&Kopieren": the picture on the clipboard.
    virtual void CopyPicture();
    // The view's page of the help ("html/….html"); none for views without a page of their own.
    virtual QString HelpTopic() const { return QString(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the view's content; the same routine serves the screen, pictures and printing.
    virtual void OnDraw(QPainter& painter, const QRect& area);

private:
    CResoniDoc& m_doc;
};
