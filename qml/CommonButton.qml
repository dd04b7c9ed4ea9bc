import QtQuick 2.0
import QtQuick.Controls 1.4

// A flat coloured button with a title.
Rectangle {
    id: common_button

    property bool interactable: true
    property string normal_color: "#ffcf0d"
    property string disable_color: "#c5c5c5"
    property string normal_title_color: "#704a1d"
    property string disable_title_color: "#f1ebe2"
    property int pixelSize: 24
    property alias text: button_title.text

    signal clicked()
    signal pressed(real xPosition, real yPosition)

    color: normal_color
    radius: 4
    state: "normal"

    onInteractableChanged: common_button.state = interactable ? "normal" : "disable"

    Text {
        id: button_title
        anchors.centerIn: parent
        color: common_button.normal_title_color
        font.pixelSize: common_button.pixelSize
        font.letterSpacing: 2
    }

    Rectangle {
        id: hover_mask
        anchors.fill: parent
        color: "#1dffffff"
        radius: common_button.radius
        visible: false
    }

    Rectangle {
        id: press_mask
        anchors.fill: parent
        color: "#33000000"
        radius: common_button.radius
        visible: false
    }

    MouseArea {
        id: button_Mousearea
        anchors.fill: parent
        enabled: common_button.interactable
        hoverEnabled: true

        onEntered: common_button.state = enabled ? "hover" : "disable"
        onExited: common_button.state = enabled ? "normal" : "disable"
        onPressed: {
            common_button.state = enabled ? "press" : "disable"
            common_button.pressed(mouse.x, mouse.y)
        }
        onClicked: {
            common_button.state = "normal"
            common_button.clicked()
        }
        onEnabledChanged: common_button.state = enabled ? "normal" : "disable"
    }

    states: [
        State {
            name: "normal"
            PropertyChanges { target: common_button; color: common_button.normal_color }
            PropertyChanges { target: button_title; color: common_button.normal_title_color }
        },
        State {
            name: "hover"
            PropertyChanges { target: hover_mask; visible: true }
        },
        State {
            name: "press"
            PropertyChanges { target: press_mask; visible: true }
        },
        State {
            name: "disable"
            PropertyChanges { target: common_button; color: common_button.disable_color }
            PropertyChanges { target: button_title; color: common_button.disable_title_color }
        }
    ]

    transitions: [
        Transition { from: "normal"; to: "hover"; PropertyAnimation { duration: 100 } },
        Transition { from: "hover"; to: "press"; PropertyAnimation { duration: 100 } },
        Transition { from: "press"; to: "normal"; PropertyAnimation { duration: 100 } },
        Transition { from: "disable"; to: "normal"; PropertyAnimation { duration: 100 } }
    ]
}
