#pragma once
// The main window's toolbar as its form description gives it: the manager with its category,
// bar and items, and the image list, in the window's component order. The glyphs of imgMenu are
// added from src/app/glyphs (About, Exit, Help, Login) by the tests that need them.
namespace lindora::test {

inline constexpr const char* MainToolbarDescription = R"(object frmMain: TestForm
  object BarManager1: BarManager
    Font.Name = 'Tahoma'
    Font.Height = -11
    Bars = <
      item
        AllowClose = False
        AllowCustomizing = False
        AllowQuickCustomizing = False
        AllowReset = False
        Caption = 'Main Toolbar'
        DockedDockingStyle = dsTop
        DockedLeft = 0
        DockedTop = 0
        DockingStyle = dsTop
        FloatLeft = 340
        FloatTop = 264
        FloatClientWidth = 23
        FloatClientHeight = 22
        IsMainMenu = True
        ItemLinks = <
          item
            Item = btnLogin
            Visible = True
          end
          item
            Item = btnAutoLogin
            Visible = True
          end
          item
            BeginGroup = True
            Item = BarSubItem1
            Visible = True
          end
          item
            Item = btnExit
            Visible = True
          end
          item
            Item = briMain
            Visible = True
          end>
        MultiLine = True
        Name = 'Main Toolbar'
        OneOnRow = True
        Row = 0
        UseOwnFont = False
        Visible = True
        WholeRow = True
      end>
    Categories.Strings = (
      'Default')
    Categories.ItemsVisibles = (
      2)
    Categories.Visibles = (
      True)
    Images = imgMenu
    LookAndFeel.Kind = lfUltraFlat
    PopupMenuLinks = <>
    Style = bmsFlat
    UseSystemFont = True
    DockControlHeights = (
      0
      0
      26
      0)
    object btnExit: BarButton
      Caption = 'Exit'
      Category = 0
      Hint = 'Exit'
      Visible = ivAlways
      ImageIndex = 1
      PaintStyle = psCaptionGlyph
      OnClick = btnExitClick
    end
    object btnAbout: BarButton
      Caption = 'About'
      Category = 0
      Hint = 'About'
      Visible = ivAlways
      ImageIndex = 0
      PaintStyle = psCaptionGlyph
      OnClick = btnAboutClick
    end
    object BarSubItem1: BarSubItem
      Caption = 'Help'
      Category = 0
      Visible = ivAlways
      ImageIndex = 2
      ItemLinks = <
        item
          Item = btnHomePage
          Visible = True
        end
        item
          BeginGroup = True
          Item = btnAbout
          Visible = True
        end>
    end
    object btnHomePage: BarButton
      Caption = 'Home Page'
      Category = 0
      Hint = 'Home Page'
      Visible = ivAlways
      OnClick = btnHomePageClick
    end
    object btnLogin: BarButton
      Caption = 'Login'
      Category = 0
      Hint = 'Login'
      Visible = ivAlways
      ImageIndex = 3
      PaintStyle = psCaptionGlyph
      OnClick = btnLoginClick
    end
    object briMain: BarProgressItem
      Align = iaRight
      Caption = 'Progress'
      Category = 0
      Hint = 'Progress'
      Visible = ivAlways
      ShowCaption = False
    end
    object btnAutoLogin: BarButton
      ButtonStyle = bsChecked
      Caption = 'Auto Login'
      Category = 0
      Hint = 'Auto Login'
      Visible = ivAlways
    end
  end
  object imgMenu: ImageListComponent
  end
end
)";

}  // namespace lindora::test
