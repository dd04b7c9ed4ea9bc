import QtQuick 2.4

// Reveals the foreground image as a pie sector that grows with value.
Canvas {
    id: canvas

    property real value: 0
    property bool anticlockwise: false
    property string backgroundImg
    property string foregroundImg
    property alias text: process_text

    antialiasing: true

    onValueChanged: requestPaint()
    Component.onCompleted: loadImage(backgroundImg)
    onImageLoaded: requestPaint()

    onPaint: {
        var ctx = getContext("2d")
        ctx.reset()
        ctx.save()
        ctx.fillStyle = "#00000000"
        ctx.strokeStyle = "#00000000"
        ctx.drawImage(backgroundImg, 0, 0)
        var sweep = value * 360 * Math.PI / 180
        ctx.beginPath()
        ctx.lineWidth = 0
        if (value >= 1) {
            ctx.arc(width / 2, height / 2, width / 2, 0, 2 * Math.PI, anticlockwise)
        } else {
            ctx.moveTo(width / 2, height / 2)
            ctx.arc(width / 2, height / 2, height, -Math.PI / 2, sweep - Math.PI / 2, anticlockwise)
            ctx.moveTo(width / 2, height / 2)
        }
        ctx.closePath()
        ctx.stroke()
        ctx.fill()
        ctx.clip()
        ctx.drawImage(foregroundImg, 0, 0)
        ctx.restore()
    }

    Text {
        id: process_text
        anchors.centerIn: parent
        font.pointSize: 15
        text: Math.floor(canvas.value * 100) + "%"
    }
}
