import QtQuick 2.0
import QtQuick.Controls 1.4

// The window's one button type: image buttons, text links and dots.
Rectangle {
    id: root_Button

    property string nomal_Image: ""
    property string hover_Image: ""
    property string press_Image: ""
    property string disable_Image: ""
    property string hover_textColor: button_Text.color
    property string press_textColor: button_Text.color
    property string disable_textColor: "#b2999999"
    property bool interactable: true
    property bool is_show_pointinghand: false
    property bool is_use_statusMask: false
    property int pixelSize: 18
    property alias text: button_Text.text
    property alias textColor: button_Text.color
    property alias fontSize: button_Text.font.pixelSize
    property alias buttonText: button_Text
    property alias buttonImage: button_Background

    signal clicked()
    signal pressed(real xPosition, real yPosition)

    width: button_Text.contentWidth + 10
    height: 30
    color: "#00ffffff"
    radius: 4
    state: "nomal"

    onInteractableChanged: root_Button.state = interactable ? "nomal" : "disable"

    Rectangle {
        id: bg_color
        anchors.fill: parent
        color: "#4c999999"
        radius: root_Button.radius
        visible: false
    }

    Image {
        id: button_Background
        anchors.fill: parent
        fillMode: Image.Stretch
        source: root_Button.nomal_Image
    }

    Text {
        id: button_Text
        anchors.centerIn: parent
        color: "#704a1d"
        font.pixelSize: root_Button.pixelSize
        font.letterSpacing: 2
    }

    Rectangle {
        id: hover_mask
        anchors.fill: parent
        color: "#1dffffff"
        radius: root_Button.radius
        visible: false
    }

    Rectangle {
        id: press_mask
        anchors.fill: parent
        color: "#33000000"
        radius: root_Button.radius
        visible: false
    }

    MouseArea {
        id: button_Mousearea
        anchors.fill: parent
        enabled: root_Button.interactable
        hoverEnabled: true
        cursorShape: root_Button.is_show_pointinghand ? Qt.PointingHandCursor : Qt.ArrowCursor

        onEntered: root_Button.state = enabled ? "hover" : "disable"
        onExited: root_Button.state = enabled ? "nomal" : "disable"
        onPressed: {
            root_Button.state = enabled ? "press" : "disable"
            root_Button.pressed(mouse.x, mouse.y)
        }
        onClicked: {
            root_Button.state = "nomal"
            root_Button.clicked()
        }
        onEnabledChanged: root_Button.state = enabled ? "nomal" : "disable"
    }

    states: [
        State {
            name: "nomal"
            PropertyChanges { target: button_Background; source: root_Button.nomal_Image }
        },
        State {
            name: "hover"
            PropertyChanges { target: button_Background; source: root_Button.hover_Image }
            PropertyChanges { target: button_Text; explicit: true; color: root_Button.hover_textColor }
            PropertyChanges { target: hover_mask; visible: root_Button.is_use_statusMask }
        },
        State {
            name: "press"
            PropertyChanges { target: button_Background; source: root_Button.press_Image }
            PropertyChanges { target: button_Text; explicit: true; color: root_Button.press_textColor }
            PropertyChanges { target: press_mask; visible: root_Button.is_use_statusMask }
        },
        State {
            name: "disable"
            PropertyChanges { target: button_Background; source: root_Button.disable_Image }
            PropertyChanges { target: button_Text; color: root_Button.disable_textColor }
            PropertyChanges { target: bg_color; visible: true }
        }
    ]

    transitions: [
        Transition { from: "nomal"; to: "hover"; PropertyAnimation { duration: 100 } },
        Transition { from: "hover"; to: "press"; PropertyAnimation { duration: 100 } },
        Transition { from: "press"; to: "nomal"; PropertyAnimation { duration: 100 } },
        Transition { from: "disable"; to: "nomal"; PropertyAnimation { duration: 100 } }
    ]
}
