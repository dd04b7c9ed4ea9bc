import QtQuick 2.12
import QtQuick.Controls 2.4
import Qt.labs.platform 1.1
import QtQuick.Dialogs 1.2
import QtQuick.Controls.Styles 1.4
import QtWebChannel 1.0
import QtWebEngine 1.2
import QtQuick.Window 2.2

ApplicationWindow {
    id: rootWindow
    objectName: "rootWindow"
    visible: true
    width: 1280
    height: 730
    color: "#141414"
    title: ""
    // The artwork is drawn for this one size: a larger window would show
    // bands around it, a smaller one would cut the buttons off.
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    flags: Qt.FramelessWindowHint | Qt.Window | Qt.WindowMinimizeButtonHint

    // Where the window was before it went to the task bar or the tray; some
    // window managers give a hidden frameless window a new place on return.
    property point placeBeforeAway: Qt.point(0, 0)
    property bool away: false
    property bool wasShown: false

    onClosing: mainViewModel.onApplicationQuit()
    onVisibilityChanged: {
        if (rootWindow.visibility === Window.Windowed) {
            if (away) {
                away = false
                rootWindow.x = placeBeforeAway.x
                rootWindow.y = placeBeforeAway.y
            }
            wasShown = true
            mainViewModel.UpdateInfoByHttp()
            rootWindow.raise()
            rootWindow.requestActivate()
        } else if (wasShown && !away) {
            away = true
            placeBeforeAway = Qt.point(rootWindow.x, rootWindow.y)
        }
    }

    // What the view model asks of the window itself.
    Connections {
        target: mainViewModel
        function onRaiseWindowRequested() {
            rootWindow.show()
            rootWindow.raise()
            rootWindow.requestActivate()
        }
        function onHideToTrayRequested() {
            rootWindow.showMinimized()
            rootWindow.hide()
            rootWindow.raise()
            rootWindow.requestActivate()
        }
        function onCloseWindowRequested() {
            rootWindow.close()
        }
        function onWebPageReloadRequested() {
            bgWebView.reload()
        }
        function onWebPageRetryRequested() {
            if (bgWebView.loading)
                bgWebView.retryWhenLoaded = true
            else if (bgWebView.loadFailed)
                bgWebView.reload()
        }
    }

    SystemTrayIcon {
        visible: true
        iconSource: "icon/launcher.ico"

        menu: Menu {
            MenuItem {
                text: qsTr("button_open_main_window")
                onTriggered: {
                    rootWindow.show()
                    rootWindow.raise()
                    rootWindow.requestActivate()
                }
            }
            MenuItem {
                text: qsTr("button_quit")
                onTriggered: rootWindow.close()
            }
        }

        onActivated: {
            // Qt.labs.platform menus open with open(); they have no popup().
            if (reason === SystemTrayIcon.Context) {
                menu.open()
            } else {
                rootWindow.show()
                rootWindow.raise()
                rootWindow.requestActivate()
            }
        }
    }

    Image {
        id: networkbg
        objectName: "networkbg"
        width: 1280
        height: 730
        anchors.left: parent.left
        anchors.top: parent.top
        cache: false
        asynchronous: true
        clip: false
        opacity: 1
        visible: true
        source: mainViewModel.bgPath
    }

    Image {
        id: bgBottomMask
        objectName: "bgBottomMask"
        width: 1280
        height: 224
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        source: "pic/bg_mask.png"
        cache: false
        asynchronous: true
        opacity: 1
        visible: mainViewModel.downloading || mainViewModel.setupGameing
                 || mainViewModel.servicesUnreachable
    }

    Rectangle {
        id: top_bar
        width: parent.width
        height: 30
        color: "#141414"
        anchors.left: parent.left
        anchors.top: parent.top

        MouseArea {
            anchors.fill: parent
            anchors.leftMargin: 80
            acceptedButtons: Qt.LeftButton
            property point clickPos: "0,0"
            onPressed: clickPos = Qt.point(mouse.x, mouse.y)
            onPositionChanged: {
                var delta = Qt.point(mouse.x - clickPos.x, mouse.y - clickPos.y)
                rootWindow.setX(rootWindow.x + delta.x)
                rootWindow.setY(rootWindow.y + delta.y)
            }
        }

        Text {
            id: game_name
            text: qsTr("title_app_name_qv")
            color: "#FFFFFF"
            font.pixelSize: 12
            width: contentWidth + 10
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignLeft
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.top: parent.top
        }

        Text {
            id: versionText
            objectName: "versionText"
            text: mainViewModel.updateShowVersion + " "
            color: "#a6ffffff"
            font.pixelSize: 12
            width: contentWidth
            height: parent.height
            fontSizeMode: Text.FixedSize
            elide: Text.ElideNone
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignLeft
            anchors.left: game_name.right
            anchors.leftMargin: 10
            anchors.top: parent.top
        }

        Text {
            id: preTip
            objectName: "preTip"
            text: "预览版本-请勿外传！！！！"
            color: "#ffff0000"
            font.pixelSize: 18
            width: 380
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            visible: mainViewModel.previewStage
            anchors.left: versionText.right
            anchors.leftMargin: 20
            anchors.top: parent.top
        }

        ImageButton {
            id: closebtn
            objectName: "closebtn"
            width: 30
            height: 30
            z: 2
            text: ""
            nomal_Image: "pic/btn_close_n.png"
            hover_Image: "pic/btn_close_o.png"
            press_Image: "pic/btn_close_d.png"
            state: "nomal"
            anchors.right: parent.right
            anchors.top: parent.top
            onClicked: mainViewModel.btnExitClick()
        }

        ImageButton {
            id: minisizebtn
            objectName: "minisizebtn"
            width: 30
            height: 30
            nomal_Image: "pic/btn_min_n.png"
            hover_Image: "pic/btn_min_o.png"
            press_Image: "pic/btn_min_d.png"
            state: "nomal"
            anchors.right: closebtn.left
            anchors.top: parent.top
            onClicked: rootWindow.showMinimized()
        }

        ImageButton {
            id: settingbtn
            objectName: "settingbtn"
            width: 30
            height: 30
            nomal_Image: "pic/btn_set_n.png"
            hover_Image: "pic/btn_set_o.png"
            press_Image: "pic/btn_set_d.png"
            state: "nomal"
            anchors.right: minisizebtn.left
            anchors.top: parent.top
            onClicked: mainViewModel.btnSettingClick()
        }

        ImageButton {
            id: redPoint
            objectName: "redPoint"
            width: 6
            height: 6
            radius: 3
            color: "#ff0000"
            anchors.left: settingbtn.left
            anchors.leftMargin: 18
            anchors.top: settingbtn.top
            anchors.topMargin: 8
            visible: mainViewModel.hasNewProgramVersion
        }
    }

    QtObject {
        id: contextObject
        property string reportParam: mainViewModel.reportParam
        WebChannel.id: "client"
    }

    WebEngineView {
        id: bgWebView
        objectName: "bgWebView"
        backgroundColor: "#00000000"
        width: parent.width
        height: parent.height - top_bar.height
        anchors.left: parent.left
        anchors.top: top_bar.bottom
        url: mainViewModel.mainBgUrl
        // Hidden once a load failed, until one succeeds, and while the
        // services are out of reach.
        property bool loadFailed: false
        // The services came back while a load was under way: a load that
        // then fails was asked for before they answered, so it goes again.
        property bool retryWhenLoaded: false
        visible: !loadFailed && mainViewModel.webPageShown
        webChannel: WebChannel {
            id: webChannel
            registeredObjects: [contextObject]
        }

        onNewViewRequested: mainViewModel.openExternalUrl(request.requestedUrl.toString())
        onLoadingChanged: {
            if (loadRequest.status === WebEngineView.LoadSucceededStatus) {
                loadFailed = loadRequest.errorCode !== 200
                if (!loadFailed)
                    mainViewModel.singleReloadWeb()
            } else if (loadRequest.status === WebEngineView.LoadFailedStatus) {
                loadFailed = true
            }
            if (loadRequest.status !== WebEngineView.LoadStartedStatus && retryWhenLoaded) {
                retryWhenLoaded = false
                if (loadFailed)
                    reload()
            }
        }
    }

    MouseArea {
        anchors.left: parent.left
        anchors.top: parent.top
        width: parent.width
        height: parent.height - top_bar.height
        acceptedButtons: Qt.RightButton
    }

    MouseArea {
        objectName: "appInfoArea"
        width: 80
        height: 80
        anchors.left: parent.left
        anchors.top: parent.top
        acceptedButtons: Qt.LeftButton
        onPressed: mainViewModel.appInfoAreaClick()
    }

    ImageButton {
        id: viewActivity
        objectName: "viewActivity"
        width: 136
        height: 40
        radius: 20
        is_use_statusMask: true
        visible: mainViewModel.activityVisible
        nomal_Image: mainViewModel.activityImage
        hover_Image: mainViewModel.activityImage
        press_Image: mainViewModel.activityImage
        anchors.right: parent.right
        anchors.rightMargin: 129
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 160
        onClicked: mainViewModel.openExternalUrl(mainViewModel.btnMoreActiveJumpUrl())
    }

    ImageButton {
        id: installBtn
        objectName: "installBtn"
        width: 238
        height: 64
        pixelSize: 24
        nomal_Image: "pic/main_btn_n.png"
        hover_Image: "pic/main_btn_o.png"
        press_Image: "pic/main_btn_d.png"
        state: "nomal"
        anchors.right: parent.right
        anchors.rightMargin: 126
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 39
        visible: mainViewModel.installEnable
        text: mainViewModel.isDownloadNotComplated ? qsTr("button_continue_download")
                                                   : qsTr("button_get_game").replace("。", "\n")
        onClicked: mainViewModel.installEnsureBtnClicked()
    }

    ImageButton {
        id: updateBtn
        objectName: "updateBtn"
        x: 916
        y: installBtn.y
        width: installBtn.width
        height: installBtn.height
        pixelSize: 24
        nomal_Image: "pic/main_btn_n.png"
        hover_Image: "pic/main_btn_o.png"
        press_Image: "pic/main_btn_d.png"
        state: "nomal"
        visible: mainViewModel.updateEnable
        text: mainViewModel.isDownloadNotComplated ? qsTr("button_continue_download") : qsTr("button_update")
        onClicked: mainViewModel.updateBtnClicked()
    }

    ImageButton {
        id: startBtn
        objectName: "startBtn"
        x: 916
        y: installBtn.y
        width: installBtn.width
        height: installBtn.height
        pixelSize: 24
        nomal_Image: "pic/main_btn_n.png"
        hover_Image: "pic/main_btn_o.png"
        press_Image: "pic/main_btn_d.png"
        state: "nomal"
        text: mainViewModel.gameRunning ? qsTr("button_game_running") : qsTr("button_start_game")
        visible: mainViewModel.startGameVisible
        interactable: mainViewModel.startGameEnable && !mainViewModel.gameRunning
        // Still read while it cannot be pressed: it tells why.
        disable_textColor: "#ccffffff"
        onClicked: {
            if (mainViewModel.startGameBtnClicked()) {
                rootWindow.showMinimized()
                rootWindow.hide()
            }
        }
    }

    // Without the services there is nothing to install or start; the
    // window says so where the main button stands and offers to ask again.
    ImageButton {
        id: retryBtn
        objectName: "retryBtn"
        x: 916
        y: installBtn.y
        width: installBtn.width
        height: installBtn.height
        pixelSize: 24
        nomal_Image: "pic/main_btn_n.png"
        hover_Image: "pic/main_btn_o.png"
        press_Image: "pic/main_btn_d.png"
        state: "nomal"
        visible: mainViewModel.servicesUnreachable
        text: qsTr("button_retry")
        onClicked: mainViewModel.retryServices()
    }

    Rectangle {
        id: offlineTip
        objectName: "offlineTip"
        visible: retryBtn.visible
        color: "#e6141414"
        radius: 4
        width: offlineText.width + 24
        height: offlineText.contentHeight + 16
        anchors.right: retryBtn.right
        anchors.bottom: retryBtn.top
        anchors.bottomMargin: 12

        Text {
            id: offlineText
            width: Math.min(implicitWidth, 420)
            anchors.centerIn: parent
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignRight
            color: "#ffffff"
            font.pixelSize: 16
            text: qsTr("label_services_unreachable")
        }
    }

    Rectangle {
        id: installPathRect
        objectName: "installPathRect"
        width: 700
        height: 50
        color: "#00000000"
        anchors.left: parent.left
        anchors.leftMargin: 50
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 39
        visible: mainViewModel.installEnable && !mainViewModel.isDownloadNotComplated

        Rectangle {
            id: installPathTip
            height: 25
            width: Math.max(txtPath.contentWidth + 21, 230)
            color: "#19ffffff"
            radius: 2
            anchors.left: parent.left
            anchors.top: parent.top

            MouseArea {
                anchors.fill: parent
                onPressed: {}
            }

            Text {
                id: txtPath
                objectName: "curinstallPath"
                text: mainViewModel.installPath
                color: "#ffffff"
                font.pixelSize: 14
                font.weight: Font.Light
                topPadding: 2
                style: Text.Normal
                fontSizeMode: Text.FixedSize
                renderType: Text.QtRendering
                anchors.top: parent.top
                anchors.left: parent.left
                anchors.leftMargin: 10
            }
        }

        ImageButton {
            id: chg_InstallPath_ico
            width: 18
            height: 18
            nomal_Image: "pic/change.png"
            hover_Image: "pic/change.png"
            press_Image: "pic/change.png"
            state: "nomal"
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.top: installPathTip.bottom
            anchors.topMargin: 6
        }

        ImageButton {
            id: chg_InstallPath_btn
            objectName: "chg_InstallPath_btn"
            height: 18
            is_show_pointinghand: true
            textColor: "#ffd846"
            hover_textColor: "#ffec5c"
            press_textColor: "#ffc43a"
            fontSize: 16
            text: qsTr("button_change_install_path")
            anchors.left: chg_InstallPath_ico.right
            anchors.leftMargin: 2
            anchors.top: chg_InstallPath_ico.top
            onClicked: mainViewModel.changeInstallPathBtnClicked()
        }
    }

    Rectangle {
        id: download_bg
        objectName: "download_bg"
        width: 820
        height: 80
        color: "#00000000"
        anchors.left: parent.left
        anchors.leftMargin: 50
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 23
        visible: mainViewModel.downloading || mainViewModel.setupGameing

        Text {
            id: download_percentage
            objectName: "download_percentage"
            visible: mainViewModel.downloading
            width: parent.width
            height: 17
            text: mainViewModel.downloadPercentage || qsTr("label_downloading_percent")
            color: "#ffffffff"
            font.pixelSize: 16
            anchors.left: parent.left
            anchors.top: parent.top
        }

        Text {
            id: setup_percentage
            objectName: "setup_percentage"
            visible: mainViewModel.setupGameing
            width: parent.width
            height: 17
            text: mainViewModel.setupPercentage || qsTr("label_checking_md5")
            color: "#ffffffff"
            font.pixelSize: 16
            anchors.left: parent.left
            anchors.top: parent.top
        }

        ProgressBar {
            id: cProgress
            objectName: "progress"
            width: 776
            height: 24
            anchors.left: parent.left
            anchors.top: download_percentage.bottom
            anchors.topMargin: 9
            value: mainViewModel.progress

            property color proColor: "#b2ffffff"
            property color proBackgroundColor: "#33ffffff"
            property real proRadius: 4

            background: Rectangle {
                id: progress_bg
                color: cProgress.proBackgroundColor
                radius: cProgress.proRadius
                border.width: 1
                border.color: "#7fcbcccd"
            }

            contentItem: Item {
                Rectangle {
                    objectName: "progressFill"
                    width: cProgress.visualPosition * (parent.width - 10) + 10
                    height: parent.height
                    color: cProgress.proColor
                    radius: cProgress.proRadius
                }
            }
        }

        Text {
            id: task_needtime
            objectName: "task_needtime"
            visible: mainViewModel.downloading
            width: contentWidth + 5
            horizontalAlignment: Text.AlignLeft
            text: mainViewModel.taskNeedTime || qsTr("label_task_need_time")
            color: "#FFD846"
            font.pixelSize: 16
            anchors.top: parent.top
            anchors.right: cProgress.right
        }

        Text {
            id: download_speed
            objectName: "download_speed"
            visible: mainViewModel.downloading
            height: 15
            width: cProgress.width
            color: "#b2ffffff"
            horizontalAlignment: Text.AlignLeft
            verticalAlignment: Text.AlignVCenter
            text: mainViewModel.downloadSpeed || qsTr("label_download_speed")
            font.pixelSize: 14
            anchors.left: cProgress.left
            anchors.leftMargin: 2
            anchors.top: cProgress.bottom
            anchors.topMargin: 9
        }

        ImageButton {
            id: pauseDownloadBtn
            objectName: "pauseDownloadBtn"
            width: 30
            height: 30
            visible: mainViewModel.downloading
            // Two bars while the download runs, the play triangle while paused.
            property string glyph: mainViewModel.downloadPaused ? "pause" : "continue"
            nomal_Image: "pic/" + glyph + "_n.png"
            hover_Image: "pic/" + glyph + "_o.png"
            press_Image: "pic/" + glyph + "_d.png"
            state: "nomal"
            anchors.left: cProgress.right
            anchors.leftMargin: 10
            anchors.top: cProgress.top
            anchors.topMargin: -3
            onClicked: mainViewModel.pauseBtnClicked()
        }
    }

    // Verify and repair of the game files runs apart from the install, with
    // its own state, bar and cancel.
    Item {
        id: repair_bg
        objectName: "repair_bg"
        width: 820
        height: 80
        anchors.left: parent.left
        anchors.leftMargin: 50
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 23
        visible: mainViewModel.repairRunning

        Text {
            id: repair_state
            objectName: "repair_state"
            height: 17
            text: mainViewModel.repairText + "  " + mainViewModel.repairPercent + "%"
            color: "#ffffffff"
            font.pixelSize: 16
            anchors.left: parent.left
            anchors.top: parent.top
        }

        ProgressBar {
            id: repairProgress
            width: 776
            height: 24
            anchors.left: parent.left
            anchors.top: repair_state.bottom
            anchors.topMargin: 9
            value: mainViewModel.repairPercent / 100
            background: Rectangle {
                color: "#33ffffff"
                radius: 4
                border.width: 1
                border.color: "#7fcbcccd"
            }
            contentItem: Item {
                Rectangle {
                    width: repairProgress.visualPosition * (parent.width - 10) + 10
                    height: parent.height
                    color: "#b2ffffff"
                    radius: 4
                }
            }
        }

        ImageButton {
            objectName: "cancelRepairBtn"
            width: 30
            height: 30
            nomal_Image: "pic/dialog_close_n.png"
            hover_Image: "pic/dialog_close_o.png"
            press_Image: "pic/dialog_close_d.png"
            state: "nomal"
            anchors.left: repairProgress.right
            anchors.leftMargin: 10
            anchors.top: repairProgress.top
            anchors.topMargin: -3
            onClicked: mainViewModel.cancelRepairClicked()
        }
    }

    Rectangle {
        id: bgMask_msgbox
        objectName: "bgMask_msgbox"
        width: 1280
        height: 730
        anchors.left: parent.left
        anchors.top: parent.top
        color: "#99000000"
        visible: mainViewModel.dimmed
    }
}
