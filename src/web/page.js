// The page around the game: builds the windows the game describes, shows its
// board and sprite from the game's own pixels, runs the one-second clock,
// opens its message boxes, plays its cues (cues.js), and hands keys,
// ticks, commands and the boxes' closing to the game. Every function of
// `page` is called by the game and returns at once.
'use strict';

var Module = (() => {
    const page = {};
    let client = null, menubar = null, board = null, sprite = null, spoken = null, readout = null, panel = null;
    let about = null, aboutBody = null;
    const menuItems = new Map();  // command -> its menu item
    const graphicalButtons = new Map();  // command -> its button in the graphical style
    const optionBoxes = new Map(); // option box -> its input
    let clock = null;
    let clientSize = [0, 0], aboutPlace = [0, 0];  // as the game describes them

    const game = (name, ...args) => Module['_velmora_' + name](...args);
    const colour = pixel => '#' + (pixel & 0xffffff).toString(16).padStart(6, '0');
    const make = (tag, className, parent) => {
        const made = document.createElement(tag);
        if (className)
            made.className = className;
        if (parent)
            parent.appendChild(made);
        return made;
    };
    // Pixels the game has laid out in the canvas's byte order, at a place in
    // its memory: the part from left, top to right, bottom painted at the
    // same place on the canvas.
    const paint = (context, at, width, height, left = 0, top = 0, right = width, bottom = height) => {
        const image = new ImageData(new Uint8ClampedArray(Module.HEAPU8.buffer, at, width * height * 4), width, height);
        context.putImageData(image, 0, 0, left, top, right - left, bottom - top);
    };

    // The main window -------------------------------------------------------

    page.window = (title, width, height, background, boardName, edgeShadow, edgeHighlight) => {
        document.title = title;
        const window = document.getElementById('window');
        window.style.setProperty('--edge-shadow', colour(edgeShadow));
        window.style.setProperty('--edge-highlight', colour(edgeHighlight));
        menubar = make('div', 'menubar', window);
        menubar.setAttribute('role', 'menubar');
        client = make('div', 'client', window);
        client.style.width = width + 'px';
        client.style.height = height + 'px';
        client.style.background = colour(background);
        board = make('canvas', 'board', client);
        board.width = width;
        board.height = height;
        board.setAttribute('role', 'img');
        board.setAttribute('aria-label', boardName);
        sprite = make('canvas', 'sprite', client);
        spoken = make('div', 'spoken', window);
        spoken.setAttribute('role', 'status');
        clientSize = [width, height];
        fit();
        addEventListener('resize', fit);
        document.addEventListener('click', event => {
            if (!menubar.contains(event.target))
                closeMenus();
        });
    };

    // The window shown whole at the largest scale the screen allows: a whole
    // factor from 1 up, each of the board's pixels a square of the screen's;
    // below 1 the exact fit, smoothed. On a touch screen nothing a finger
    // presses shows under 24 pixels: the menus are at least that tall, the
    // panel grows from its lower left corner over the board, and the About,
    // fitted to the screen, grows its buttons upwards.
    //
    // Scaled by a transform, not by CSS zoom: every engine reports a
    // transformed element's place as it is shown, while under zoom WebKit
    // reports it unscaled. The page's own sizes (offsetWidth and the like)
    // stay unscaled in every engine, and the screen's place for the window
    // is sized here to what is shown.
    // A target's least size as shown: a finger's 24 pixels, and half a pixel
    // more, so that no rounding takes it below.
    const Finger = 24.5, MenuBar = 19;
    const touch = matchMedia('(pointer: coarse)');
    const grown = (controls, shownAt) => !touch.matches ? 1 : Math.max(1, ...[...controls].map(control =>
        Finger / (Math.min(parseFloat(control.style.width), parseFloat(control.style.height)) * shownAt)));
    const fit = () => {
        const [width, height] = clientSize;
        // The screen's own size: a phone widens innerWidth to whatever overflows.
        const { clientWidth: screenWidth, clientHeight: screenHeight } = document.documentElement;
        let scale = Math.min(screenWidth / width, screenHeight / (height + MenuBar));
        if (touch.matches && MenuBar * scale < Finger)
            scale = Math.min(screenWidth / width, (screenHeight - Finger) / height);
        scale = scale >= 1 ? Math.floor(scale) : scale;
        const window = document.getElementById('window');
        window.style.transform = `scale(${scale})`;
        window.classList.toggle('smoothed', scale < 1);
        // Menus a finger can press, in letters as large as at the game's own size.
        window.style.setProperty('--menu-height', Math.max(MenuBar, touch.matches ? Finger / scale : 0) + 'px');
        window.style.setProperty('--menu-font', Math.max(12, touch.matches ? 12 / scale : 0) + 'px');
        window.parentElement.style.width = window.offsetWidth * scale + 'px';
        window.parentElement.style.height = window.offsetHeight * scale + 'px';
        if (panel)
            panel.style.transform = `scale(${grown(panel.querySelectorAll('button, input'), scale)})`;
        if (about) {
            const [left, top] = aboutPlace;
            const shown = Math.min(1, (screenWidth - 8) / about.offsetWidth, (screenHeight - 8) / about.offsetHeight);
            about.style.transform = `scale(${shown})`;
            about.style.left = Math.max(4, Math.min(left * scale, screenWidth - about.offsetWidth * shown - 4)) + 'px';
            about.style.top = Math.max(4, Math.min(top * scale, screenHeight - about.offsetHeight * shown - 4)) + 'px';
            const buttons = aboutBody.querySelectorAll('button');
            const grow = grown(buttons, shown);
            buttons.forEach(button => { button.style.transform = `scale(${grow})`; });
        }
    };

    const closeMenus = () => {
        menubar.querySelectorAll('.menu.open').forEach(menu => menu.classList.remove('open'));
        menubar.querySelectorAll('.item.chosen').forEach(item => item.classList.remove('chosen'));
    };

    // While a menu is open the keys are its own, as on the desktop: Left and
    // Right go to the next menu, Up and Down along its items (greyed ones
    // passed over), Enter chooses, Esc closes.
    const menuKey = (event, menu) => {
        event.preventDefault();
        const items = [...menu.querySelectorAll('.item:not(.disabled)')];
        const chosen = items.indexOf(menu.querySelector('.item.chosen'));
        const wrap = (at, count) => (at + count) % count;
        const forward = event.key === 'ArrowRight' || event.key === 'ArrowDown';
        if (event.key === 'Escape') {
            closeMenus();
        } else if (event.key === 'Enter') {
            items[chosen]?.click();
        } else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
            const menus = [...menubar.children];
            closeMenus();
            menus[wrap(menus.indexOf(menu) + (forward ? 1 : -1), menus.length)].classList.add('open');
        } else if ((event.key === 'ArrowDown' || event.key === 'ArrowUp') && items.length > 0) {
            items[chosen]?.classList.remove('chosen');
            const next = chosen >= 0 ? wrap(chosen + (forward ? 1 : -1), items.length) : forward ? 0 : items.length - 1;
            items[next].classList.add('chosen');
        }
    };

    page.menu = caption => {
        const menu = make('div', 'menu', menubar);
        menu.textContent = caption;
        menu.setAttribute('role', 'menuitem');
        make('div', 'items', menu).setAttribute('role', 'menu');
        menu.addEventListener('click', event => {
            if (event.target !== menu)
                return;
            const open = !menu.classList.contains('open');
            closeMenus();
            menu.classList.toggle('open', open);
        });
    };

    page.menuItem = (caption, shortcut, command) => {
        const items = menubar.lastChild.querySelector('.items');
        const item = make('div', 'item', items);
        item.setAttribute('role', 'menuitem');
        make('span', '', item).textContent = caption;
        make('span', '', item).textContent = shortcut;
        item.addEventListener('click', () => {
            closeMenus();
            cues.start();
            game('command', command);
        });
        menuItems.set(command, item);
    };

    // A control of a kind the game names, in the part of a window it names:
    // 'readout' or 'panel' in the main window, 'in panel', 'in about'.
    page.control = (part, control) => {
        const parent = part === 'in panel' ? panel : part === 'in about' ? aboutBody : client;
        let made;
        if (control.kind === 'Frame') {
            made = panel = make('div', 'panel', parent);
            make('div', 'frame-edge', panel);
            make('span', 'frame-caption', panel).textContent = control.caption;
            made.style.display = 'none';
            requestAnimationFrame(fit);  // its controls made by then
        } else if (control.kind === 'Button') {
            made = make('button', control.face !== null ? 'graphical' : '', parent);
            if (control.face !== null)
                graphicalButtons.set(control.command, made);
            // The letter after "&" is the button's Alt key, underlined.
            const caption = make('span', '', made);
            const [before, after] = control.caption.split('&');
            caption.textContent = before;
            if (after !== undefined) {
                make('u', '', caption).textContent = after.charAt(0);
                caption.append(after.slice(1));
                made.dataset.key = after.charAt(0).toLowerCase();
            }
            made.dataset.default = control.isDefault;
            made.addEventListener('click', () => {
                cues.start();
                game('command', control.command);
            });
        } else if (control.kind === 'TextBox') {
            made = make('input', 'option', parent);
            made.inputMode = 'decimal';  // a phone's number keyboard
            made.value = control.caption;
            made.spellcheck = false;
            optionBoxes.set(control.box, made);
        } else if (control.kind === 'Picture') {
            made = make('img', '', parent);
            made.src = 'about_icon.png';
            made.alt = '';
        } else {
            made = make('div', '', parent);
            made.textContent = control.caption;
            made.style.whiteSpace = control.wraps || control.centred ? 'normal' : 'nowrap';
        }
        if (part === 'readout') {
            readout = made, made.classList.add('readout');
            made.setAttribute('role', 'timer');  // the seconds counted, named; read when asked, not at each tick
        }
        made.style.left = control.left + 'px';
        made.style.top = control.top + 'px';
        made.style.width = control.width + 'px';
        made.style.height = control.height + 'px';
        if (control.points > 0)
            made.style.fontSize = control.points + 'pt';
        if (control.face !== null && control.kind !== 'Button')
            made.style.background = colour(control.face);
        if (control.text !== null)
            made.style.color = colour(control.text);
        made.style.textAlign = control.centred ? 'center' : 'left';
        if (control.name)
            made.setAttribute('aria-label', control.name);
        if (control.kind !== 'Button' && control.kind !== 'TextBox')
            made.tabIndex = -1;
        if (control.kind === 'TextBox') {
            // The number at the top of the box, as a Windows text box shows it.
            made.style.paddingBottom = Math.max(0, control.height - 2 - control.points * 1.8) + 'px';
        }
    };

    // The faces of a button, one canvas for each state; the style shows the
    // one for the button's state.
    page.buttonFace = (command, state, pixels, width, height) => {
        const face = make('canvas', 'face-' + state, graphicalButtons.get(command));
        face.width = width;
        face.height = height;
        paint(face.getContext('2d'), pixels, width, height);
    };

    page.setCommandEnabled = (command, enabled) => menuItems.get(command).classList.toggle('disabled', !enabled);

    page.setPanelVisible = visible => {
        panel.style.display = visible ? 'block' : 'none';
        // Hidden, none of its controls keeps the keyboard.
        if (!visible && panel.contains(document.activeElement))
            document.activeElement.blur();
    };

    page.optionText = box => optionBoxes.get(box).value;
    page.setOptionText = (box, text) => { optionBoxes.get(box).value = text; };
    page.selectOptionText = box => {
        optionBoxes.get(box).focus();
        optionBoxes.get(box).select();
    };

    page.setReadout = text => {
        readout.textContent = text;
        readout.style.width = 'auto';
        readout.style.height = 'auto';
    };
    page.placeReadout = (left, top) => {
        readout.style.left = left + 'px';
        readout.style.top = top + 'px';
    };

    page.showSprite = (pixels, width, height, x, y) => {
        sprite.width = width;
        sprite.height = height;
        sprite.style.left = x + 'px';
        sprite.style.top = y + 'px';
        sprite.style.display = 'block';
        paint(sprite.getContext('2d'), pixels, width, height);
    };

    // The changed parts of the game's surface are painted together once the
    // game's call has returned: the page shows nothing in between, and the
    // first board, drawn disk by disk, is painted once.
    let changed = null;
    page.showSurface = (at, width, height, left, top, right, bottom) => {
        if (changed === null)
            queueMicrotask(() => {
                const { at, width, height, left, top, right, bottom } = changed;
                changed = null;
                paint(board.getContext('2d'), at, width, height, left, top, right, bottom);
                keepForOffline();
            });
        changed = changed === null ? { at, width, height, left, top, right, bottom }
            : { at, width, height, left: Math.min(left, changed.left), top: Math.min(top, changed.top),
                right: Math.max(right, changed.right), bottom: Math.max(bottom, changed.bottom) };
    };

    // The board in words: on the board, and said by a screen reader as it changes.
    page.describeBoard = words => {
        board.setAttribute('aria-description', words);
        spoken.textContent = words;
    };

    // Boxes, the clock, the end ----------------------------------------------

    // Modal to the page; one opened meanwhile stands over it and is closed first.
    page.showMessage = (prompt, title, error) => {
        const box = make('dialog', error ? 'box error' : 'box', document.body);
        make('div', 'title', box).textContent = title;
        make('div', 'prompt', box).textContent = prompt;
        const ok = make('button', '', make('div', 'buttons', box));
        ok.textContent = 'OK';
        ok.addEventListener('click', () => box.close());
        box.addEventListener('close', () => {
            box.remove();
            game('message_closed');
        });
        box.showModal();
        ok.focus();
    };

    // One tick for each of the game's tick intervals of real time. Catching
    // up is the page's own, for a browser's limit: it holds a hidden page's
    // timers back (to once a minute, after a while), and the ticks that fell
    // due meanwhile come when the timer runs again.
    page.setClockRunning = running => {
        clearInterval(clock);
        clock = null;
        if (!running)
            return;
        const started = performance.now(), interval = game('tick_interval');
        let ticked = 0;
        const thisClock = clock = setInterval(() => {
            // Never early: a second is due once it has passed (within the
            // timer's few milliseconds of slack).
            const due = Math.floor((performance.now() - started + 20) / interval);
            while (ticked < due && clock === thisClock) {
                ++ticked;
                game('tick');  // may stop the clock
            }
        }, interval);
    };

    // In place of the window, once the game has ended: its words.
    page.quit = (text, startAgain) => {
        page.setClockRunning(false);
        document.querySelectorAll('dialog').forEach(box => box.remove());
        const ended = make('div', 'ended', document.body);
        make('div', '', ended).textContent = text;
        const again = make('button', '', ended);
        again.textContent = startAgain;
        again.addEventListener('click', () => location.reload());
        again.focus();
    };

    // The About ---------------------------------------------------------------

    page.about = (title, width, height, left, top) => {
        about = make('dialog', 'about', document.body);
        aboutPlace = [left, top];
        make('div', 'title', about).textContent = title;
        aboutBody = make('div', 'about-body', about);
        aboutBody.style.width = width + 'px';
        aboutBody.style.height = height + 'px';
        // Its keys are its own: Enter (on any button but one of its own) and
        // Esc press its default button, Alt with a button's underlined letter
        // presses that one.
        about.addEventListener('keydown', event => {
            const onOtherButton = event.target instanceof HTMLButtonElement && event.target.dataset.default !== 'true';
            const buttons = [...about.querySelectorAll('button')];
            const pressed = event.altKey && buttons.find(button => button.dataset.key === event.key.toLowerCase());
            if (event.key === 'Escape' || event.key === 'Enter' && !onOtherButton) {
                event.preventDefault();
                buttons.find(button => button.dataset.default === 'true').click();
            } else if (pressed) {
                event.preventDefault();
                pressed.click();
            }
        });
    };

    page.focusAbout = () => {
        if (!about.open) {
            about.show();
            fit();
        }
        about.querySelector('button[data-default="true"]').focus();
    };

    page.closeAbout = () => {
        about.remove();
        about = aboutBody = null;
    };

    // Keys and sound -----------------------------------------------------------

    // Every key goes to the game first, wherever the focus is in the main
    // window, and then on; a menu's shortcut gives its command, and the
    // browser's own use of that key (help, open, close) is kept from it. The
    // About's keys are its own, as a window of its own has them.
    document.addEventListener('keydown', event => {
        const inAbout = about !== null && about.contains(event.target);
        const notYet = menubar === null;  // the program has not started: no window to take keys
        if (notYet || inAbout || document.querySelector('dialog.box') || document.querySelector('.ended'))
            return;
        const openMenu = menubar.querySelector('.menu.open');
        if (openMenu) {
            menuKey(event, openMenu);
            return;
        }
        cues.start();
        // The game's answer: a menu command's number, or what else the key is.
        const meaning = game('key', event.keyCode, event.ctrlKey);
        const typing = event.target instanceof HTMLInputElement || event.target instanceof HTMLButtonElement;
        if (meaning >= 0) {
            event.preventDefault();
            game('command', meaning);
        } else if ((event.altKey || !typing) && game('plays_the_game', event.keyCode)) {
            event.preventDefault();  // no scrolling, and Alt with an arrow is no page back or forward
        }
    }, true);

    // A press of the main button, or a tap, on the board or the sprite over
    // it goes to the game as a point of the board, whatever the page's scale.
    document.addEventListener('pointerdown', event => {
        if (event.button !== 0 || (event.target !== board && event.target !== sprite) || document.querySelector('.ended'))
            return;
        event.preventDefault();  // the focus stays: a box the press opens keeps its keys
        cues.start();
        const shown = board.getBoundingClientRect();
        game('board_pressed', (event.clientX - shown.left) * board.width / shown.width,
             (event.clientY - shown.top) * board.height / shown.height);
    });

    page.knowCue = cues.know;
    // A held cue ends the game's wait when it has sounded.
    page.playCue = (file, holdsMs) => cues.play(file, holdsMs > 0 ? () => game('cue_ended') : null, holdsMs);

    // Kept for the next visit, to play with the network off. Asked for once
    // the first board is on the screen and the page is idle: the worker's
    // start and its downloads would otherwise slow the first board by a
    // third.
    let kept = false;
    const keepForOffline = () => {
        if (kept || !('serviceWorker' in navigator))
            return;
        kept = true;
        const idle = window.requestIdleCallback ?? (callback => setTimeout(callback, 500));
        idle(() => navigator.serviceWorker.register('sw.js'));
    };

    // The program, compiled as it arrived (the page's head asked for it), is
    // handed to the runtime when it starts. Served under another type than
    // application/wasm, it is compiled once it has come.
    const compiled = program
        .catch(() => fetch('velmora.wasm').then(response => response.arrayBuffer()).then(WebAssembly.compile));
    const instantiateWasm = (imports, receive) => {
        compiled.then(module => WebAssembly.instantiate(module, imports))
            // A program that could not load has no words of its own to end
            // with: these are the ones it gives for a failure.
            .then(instance => receive(instance), () => page.quit('Jocul s-a oprit dupa o eroare.', 'Porneste din nou'));
        return {};
    };

    return { page, noExitRuntime: true, instantiateWasm };
})();
