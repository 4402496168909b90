// Base of every view: a widget that belongs to the document's views and repaints on its hints.
#pragma once

#include "DocObserver.h"

#include <QColor>
#include <QWidget>

class CResoniDoc;

class CDocView : public QWidget, public IDocObserver
{
    Q_OBJECT
public:
    CDocView(CResoniDoc& doc, const QColor& background, QWidget* parent = nullptr);
    ~CDocView() override;

    CResoniDoc& GetDocument() const { return m_doc; }
    void OnUpdate(int hint) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the view's content; the same routine serves the screen, pictures and printing.
    virtual void OnDraw(QPainter& painter, const QRect& area);

private:
    CResoniDoc& m_doc;
};
