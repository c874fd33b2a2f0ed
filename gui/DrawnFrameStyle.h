#pragma once

#include <QProxyStyle>

// Qt's Fusion style as it is, but for the frame of a group box, which Fusion draws from a
// picture: reading that picture asks every image-format plugin of the system whether it reads
// PNG, and loads them all for it (Qt's PDF plugin, where installed, with the network library
// and Kerberos), work the first frame of the window does not need. Drawn here as lines instead,
// as the button images are (DrawnIcons).
class DrawnFrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

// Puts DrawnFrameStyle in front of the application's style when that is Fusion (the style of
// a desktop without one of its own); any other style, such as a desktop's own, stays alone.
void drawGroupBoxFramesWithoutPictures();
