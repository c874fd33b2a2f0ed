#pragma once

#include "base/Result.h"

#include <QList>
#include <QString>

// A text document of paragraphs for the office, each in its own style: the readings for the
// lector go to LibreOffice this way, one paragraph of the document per paragraph given.
struct OfficeParagraph
{
    enum class Style {
        Title, // the document's first line
        Heading, // a section's heading, larger and bold
        Subheading, // a line under a heading (a reference, a part), italic or semibold
        Body, // ordinary text
        Note, // a remark on the text, italic
    };
    Style style = Style::Body;
    QString text;
    // The first so many characters of the text set small and raised (superscript), as a
    // verse's number before its text.
    int raised = 0;

    friend bool operator==(const OfficeParagraph &, const OfficeParagraph &) = default;
};

struct ParagraphExportInput
{
    QString title; // the document's title
    QList<OfficeParagraph> paragraphs;
    int pointSize = 12; // of the body text; headings somewhat larger
};

// Builds a new LibreOffice text document of the paragraphs, left open and unsaved in the
// office, its view at the document's start. Gives false when the office cannot be reached; fails
// with a German message when the office plugin is missing or the office fails while the document is
// being filled.
Result<bool> ExportParagraphs(const ParagraphExportInput &input);
